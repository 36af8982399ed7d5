// Benchmark of the wizard on the real editor: the background page's preview
// (load, palette, stretch of a 640 x 480 8-bit stock picture), the time from
// Next to the next page painted, and the menu text page with a one-menu and
// a full 200-menu definition side by side: opening it, and one menu change.
//
//   wizard_bench <installation folder> [runs]
#include "bench_common.h"
#include "editor_e2e/wizard_session.h"
#include "menu/DibImage.h"
#include <cstdio>

namespace {

using bench::Median;
using bench::Now;

struct PageFigures {
    double open = 0, change = 0, changeHeadings = 0, changeAll = 0;
};

// Next on the layout page until the text page is current and painted.
double NextPainted(wz::Wizard& w) {
    HWND before = w.Page();
    double t0 = Now();
    PostMessageA(w.sheet, PSM_PRESSBUTTON, PSBTN_NEXT, 0);
    while (w.Page() == before && Now() - t0 < 20000) Sleep(0);
    // Painting another process's window from here waits for its WM_PAINT.
    UpdateWindow(w.Page());
    return Now() - t0;
}

PageFigures MeasureTextPage(const std::string& definition) {
    PageFigures f;
    ed::Session s;
    if (!s.Start()) return f;
    // The editor clears its folder at start: the definition comes afterwards.
    s.dir.Write("auto.tdf", definition);
    wz::Wizard w(s);
    if (!w.Open() || !w.GoTo(2)) return f;
    f.open = NextPainted(w);
    HWND combo = w.Item(1031);
    SendMessageA(combo, CB_SETCURSEL, 1, 0);
    double t0 = Now();
    SendMessageA(w.Page(), WM_COMMAND, MAKEWPARAM(1031, CBN_SELCHANGE), reinterpret_cast<LPARAM>(combo));
    f.change = Now() - t0;
    // Lines are stored when they lose the focus, so a menu change finds at
    // most the two headings changed; every text changed is the bound.
    for (int id = 5055; id <= 5056; ++id)
        SendMessageA(w.Item(id), WM_SETTEXT, 0, reinterpret_cast<LPARAM>("A changed heading"));
    SendMessageA(combo, CB_SETCURSEL, 2, 0);
    t0 = Now();
    SendMessageA(w.Page(), WM_COMMAND, MAKEWPARAM(1031, CBN_SELCHANGE), reinterpret_cast<LPARAM>(combo));
    f.changeHeadings = Now() - t0;
    for (int id = 5043; id <= 5056; ++id)
        SendMessageA(w.Item(id), WM_SETTEXT, 0, reinterpret_cast<LPARAM>("A changed text for the benchmark"));
    SendMessageA(combo, CB_SETCURSEL, 3, 0);
    t0 = Now();
    SendMessageA(w.Page(), WM_COMMAND, MAKEWPARAM(1031, CBN_SELCHANGE), reinterpret_cast<LPARAM>(combo));
    f.changeAll = Now() - t0;
    w.Cancel();
    return f;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 2) { std::printf("usage: wizard_bench <installation folder> [runs]\n"); return 2; }
    std::string dist = argv[1];
    int runs = argc > 2 ? std::max(1, std::atoi(argv[2])) : 5;
    _putenv(("TLK_DIST=" + dist).c_str());

    // The preview drawing, in this process: read, palette, stretch into the frame's size.
    {
        const std::wstring stock = text::W(dist) + L"\\BMPS\\shiny.bmp";
        HWND frame = CreateWindowExA(0, "STATIC", "", WS_POPUP | WS_VISIBLE, 0, 0, 352, 255, nullptr, nullptr,
                                     GetModuleHandleA(nullptr), nullptr);
        HDC dc = GetDC(frame);
        std::vector<double> t;
        for (int i = 0; i < 20; ++i) {
            double t0 = Now();
            CDibImage dib;
            dib.LoadFromFile(stock.c_str());
            HPALETTE old = dib.Palette() ? SelectPalette(dc, dib.Palette(), FALSE) : nullptr;
            if (old) RealizePalette(dc);
            RECT dest = {0, 0, 352, 255}, src = {0, 0, dib.Width(), dib.Height()};
            dib.Render(dc, dest, src);
            if (old) SelectPalette(dc, old, TRUE);
            GdiFlush();
            t.push_back(Now() - t0);
        }
        ReleaseDC(frame, dc);
        DestroyWindow(frame);
        std::printf("background preview (shiny.bmp, load + palette + stretch): %6.2f ms (median of 20)\n", Median(t));
    }

    // Next from the introduction to the background page, painted.
    {
        std::vector<double> t;
        for (int i = 0; i < runs; ++i) {
            ed::Session s;
            if (!s.Start()) break;
            wz::Wizard w(s);
            if (!w.Open()) break;
            HWND before = w.Page();
            double t0 = Now();
            PostMessageA(w.sheet, PSM_PRESSBUTTON, PSBTN_NEXT, 0);
            while (w.Page() == before && Now() - t0 < 20000) Sleep(0);
            UpdateWindow(w.Page());
            t.push_back(Now() - t0);
            w.Cancel();
        }
        std::printf("Next to the background page painted:             %6.1f ms (median of %zu)\n", Median(t), t.size());
    }

    std::string one = "[100]\r\n300=1\r\n500=7\r\n[15001]\r\n1=Only line\r\n13=Heading\r\n";
    std::string full = bench::FullLengthDefinition(7);
    std::vector<double> open1, open200, change1, change200, heads1, heads200, all1, all200;
    for (int i = 0; i < runs; ++i) {
        PageFigures a = MeasureTextPage(one), b = MeasureTextPage(full);
        open1.push_back(a.open);
        change1.push_back(a.change);
        open200.push_back(b.open);
        change200.push_back(b.change);
        heads1.push_back(a.changeHeadings);
        heads200.push_back(b.changeHeadings);
        all1.push_back(a.changeAll);
        all200.push_back(b.changeAll);
    }
    double o1 = Median(open1), o200 = Median(open200), c200 = Median(change200);
    std::printf("menu text page opened, 1 menu:                   %6.1f ms (median of %d)\n", o1, runs);
    std::printf("menu text page opened, 200 full menus:           %6.1f ms (ratio %.2f, limit 1.50)\n", o200,
                o1 > 0 ? o200 / o1 : 0.0);
    std::printf("menu change, 1 menu:                             %6.1f ms\n", Median(change1));
    std::printf("menu change, 200 full menus:                     %6.1f ms (limit 150)\n", c200);
    std::printf("menu change, both headings changed, 1 menu:      %6.1f ms\n", Median(heads1));
    std::printf("menu change, both headings changed, 200 menus:   %6.1f ms (limit 150)\n", Median(heads200));
    std::printf("menu change, all 14 texts changed, 1 menu:       %6.1f ms\n", Median(all1));
    std::printf("menu change, all 14 texts changed, 200 menus:    %6.1f ms\n", Median(all200));
    return o1 > 0 && o200 / o1 <= 1.5 && c200 < 150 && Median(heads200) < 150 ? 0 : 1;
}
