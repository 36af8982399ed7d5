// Start-up benchmark of the player: time from process start to the first
// painted menu window, for a one-menu and a full 200-menu definition side by
// side, and for a 640 x 480 palette background in layout 0; plus the time of
// one background erase (the blit of the whole picture).
//
//   startup_bench <folder of autorun.exe> [runs]
#include "bench_common.h"
#include "menu/DibImage.h"
#include "support/driver.h"
#include "support/tempdir.h"
#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

namespace {

using bench::Median;
using bench::Now;

std::string OneMenu() {
    return "[100]\r\n200=One menu\r\n300=1\r\n500=7\r\n[15001]\r\n1=Only line\r\n13=Heading\r\n";
}

void WriteBackground(const TempDir& dir) {
    const int w = 640, h = 480;
    std::string f(14 + 40 + 1024 + w * h, '\0');
    auto put32 = [&f](size_t at, unsigned v) { for (int i = 0; i < 4; ++i) f[at + i] = char((v >> (8 * i)) & 0xFF); };
    f[0] = 'B'; f[1] = 'M';
    put32(2, unsigned(f.size()));
    put32(10, 14 + 40 + 1024);
    put32(14, 40); put32(18, w); put32(22, h);
    f[26] = 1; f[28] = 8;
    for (int i = 0; i < 256; ++i) { f[54 + 4 * i] = char(i); f[55 + 4 * i] = char(255 - i); f[56 + 4 * i] = char(i / 2); }
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) f[1078 + size_t(y) * w + x] = char((x + y) & 0xFF);
    dir.Write("autorun.bmp", f);
}

double StartOnce(const std::string& exe, const std::string& folder) {
    drv::Process p;
    double t0 = Now();
    if (!p.Start(exe, "", folder)) return -1;
    HWND w = drv::WaitWindow(p.Id(), 15000);
    if (!w) return -1;
    // A message round trip after the window shows: its first paint, which
    // is handled before the loop goes idle, is done by then.
    drv::Settle(w, 0);
    double t = Now() - t0;
    PostMessageA(w, WM_CLOSE, 0, 0);
    p.WaitExit(10000);
    return t;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 2) { std::printf("usage: startup_bench <folder of autorun.exe> [runs]\n"); return 2; }
    std::string dist = argv[1];
    int runs = argc > 2 ? std::max(1, std::atoi(argv[2])) : 9;

    TempDir one("bench1"), full("bench200"), picture("benchbmp");
    for (const TempDir* d : {&one, &full, &picture}) drv::CopyInto(dist + "\\autorun.exe", d->File("autorun.exe"));
    one.Write("auto.tdf", OneMenu());
    full.Write("auto.tdf", bench::FullLengthDefinition(7));
    picture.Write("auto.tdf", "[100]\r\n500=0\r\n[15001]\r\n1=Line\r\n");
    WriteBackground(picture);

    StartOnce(one.File("autorun.exe"), one.Path());  // warm the wineserver and file cache
    std::vector<double> t1, t200, tbmp;
    for (int i = 0; i < runs; ++i) {
        t1.push_back(StartOnce(one.File("autorun.exe"), one.Path()));
        t200.push_back(StartOnce(full.File("autorun.exe"), full.Path()));
        tbmp.push_back(StartOnce(picture.File("autorun.exe"), picture.Path()));
    }
    double m1 = Median(t1), m200 = Median(t200), mbmp = Median(tbmp);
    std::printf("start-up, 1 menu:              %7.1f ms (median of %d)\n", m1, runs);
    std::printf("start-up, 200 full menus:      %7.1f ms (median of %d)\n", m200, runs);
    std::printf("ratio 200 / 1:                 %7.2f (must be <= 1.50)\n", m1 > 0 ? m200 / m1 : 0.0);
    std::printf("start-up, 640x480 8-bit, layout 0: %7.1f ms (median of %d)\n", mbmp, runs);

    // One background erase: the picture blitted into a window of layout 0's size.
    CDibImage dib;
    if (dib.LoadFromFile(picture.File(L"autorun.bmp").c_str())) {
        HWND w = CreateWindowExA(0, "STATIC", "", WS_POPUP | WS_VISIBLE, 0, 0, 480, 350, nullptr, nullptr,
                                 GetModuleHandleA(nullptr), nullptr);
        HDC dc = GetDC(w);
        RECT dest = {0, 0, 480, 350}, src = {0, 0, dib.Width(), dib.Height()};
        dib.Render(dc, dest, src);
        const int n = 50;
        double t0 = Now();
        for (int i = 0; i < n; ++i) dib.Render(dc, dest, src);
        GdiFlush();
        std::printf("one background erase (stretched 640x480 -> 480x350): %.2f ms\n", (Now() - t0) / n);
        RECT same = {0, 0, 640, 480};
        t0 = Now();
        for (int i = 0; i < n; ++i) dib.Render(dc, same, src);
        GdiFlush();
        std::printf("one background erase (1:1 640x480): %.2f ms\n", (Now() - t0) / n);
        ReleaseDC(w, dc);
        DestroyWindow(w);
    }
    return m1 > 0 && m200 / m1 <= 1.5 ? 0 : 1;
}
