// text_seeds.h - definition files and AutoRun files in every form their
// readers take, tidy and hostile: the starting corpus of the fuzz targets,
// and files the host tests run the shared checks on. The same files on
// every machine.

#pragma once

#include <string>
#include <vector>

#include "profile_gen.h"

namespace seeds {

// A literal with the NULs inside it.
template <std::size_t N>
std::string WithNuls(const char (&text)[N]) { return std::string(text, N - 1); }
template <std::size_t N>
std::wstring WithNuls(const wchar_t (&text)[N]) { return std::wstring(text, N - 1); }

// A definition of 200 menus, each with a line and a go-to to the next,
// short enough for the fuzz target's length limit in every form.
inline std::wstring TwoHundredMenus() {
    std::wstring text = L"[100]\r\n300=200\r\n";
    for (int m = 1; m <= 200; ++m) {
        const std::wstring n = std::to_wstring(m);
        text += L"[1500" + n + L"]\n1=Menu " + n + L"\n[1700" + n + L"]\n1=_menu" + std::to_wstring(m % 200 + 1) + L"\n";
    }
    return text;
}

// Every form of generated definitions (tidy and hostile), UTF-16 files cut
// to an odd length, lone surrogates, NULs, very long lines, 200 menus, and
// files of a byte-order mark and little else.
inline std::vector<std::string> DefinitionFiles() {
    std::vector<std::string> out = {"", "\xEF\xBB\xBF", "\xFF\xFE", "\xFE\xFF", "\xFF\xFE[", "\xFF", "["};
    const std::wstring shapes[] = {
        TwoHundredMenus(),
        L"[100]\r\n200=half \xD83D pair\r\n300=\xDE00\r\n[\xDC00]\r\n1=\xD800",
        WithNuls(L"[15001\0x]\r\n1=a\0b\r\n\0\r\n2\0=c\r\n"),
        L"[15001]\r\n1=" + std::wstring(1100, L'v') + L"\r\n[" + std::wstring(300, L'n') + L"]\r\n" +
            std::wstring(3000, L'k') + L"=x",
        L"[100]\n300=\"0x2\"\r\n\r\r[1000]\x1a\n1200 = -5\n1300=0b1012\n1400=4294967297\n[1100]\n1200='\n"};
    for (pgen::Form form : pgen::kForms) {
        for (const std::wstring& text : shapes) out.push_back(pgen::Encode(text, form));
        for (uint32_t seed = 1; seed <= 12; ++seed) {
            pgen::Random r(seed * 4 + static_cast<uint32_t>(form));
            std::string file = pgen::Encode(pgen::Definition(r, form, seed > 4, seed % 2 == 0), form);
            if ((form == pgen::Form::Utf16Le || form == pgen::Form::Utf16Be) && seed % 3 == 0) file += 'x';
            out.push_back(file);
        }
    }
    return out;
}

// The shipped AutoRun file, and ones other products and hands write: marks
// of every form, odd lengths, sections and keys in other case, keys twice,
// quotes, lines that are no key, NULs, long lines, line ends of every kind.
inline std::vector<std::string> AutoRunFiles() {
    const std::string shipped =
        "[autorun]\r\nopen=autorun.exe\r\nicon=autorun.exe,0\r\nshell\\menu=Open menu\r\n"
        "shell\\menu\\command=autorun.exe\r\n\r\n[Content]\r\nMusicFiles=false\r\nPictureFiles=false\r\n";
    const std::string shapes[] = {
        shipped,
        "[AutoRun]\nOPEN = \"setup.exe\" /s\nicon=\"disc.ico\"\nopen=second.exe\nlabel=" + std::string(40, 'L') +
            "\nUseAutoPlay=1\n",
        "; made by hand\r\n[autorun\r\nopen autorun.exe\r\n=value\r\n[ autorun ] trailing\r\nopen=x.exe\r\n",
        WithNuls("[autorun]\r\nop\0en=a.exe\r\nicon=b\0.ico\r\n[x]\r\nopen=c.exe"),
        "[other]\r\nopen=wrong.exe\r\n[autorun]\ropen=cr-only.exe\r\n" + std::string(3000, 'z') + "\r\nbad\r\nworse\r\n",
        "\t[autorun]\t\r\n  open\t=\t  menu.exe  \r\n\"\"=\r\nicon=,\r\n"};
    std::vector<std::string> out = {"", "\xEF\xBB\xBF", "\xFF\xFE", "\xFE\xFF[", WithNuls("\xFF\xFE[\0a\0"), "="};
    for (pgen::Form form : pgen::kForms) {
        for (const std::string& text : shapes) {
            std::wstring units;
            for (char c : text) units += static_cast<wchar_t>(static_cast<unsigned char>(c));
            out.push_back(pgen::Encode(units, form));
        }
        if (form == pgen::Form::Utf16Le || form == pgen::Form::Utf16Be)
            out.push_back(pgen::Encode(L"[autorun]\r\nopen=a.exe", form) + 'x');
        pgen::Random r(static_cast<uint32_t>(form) + 100);
        out.push_back(pgen::Encode(pgen::Definition(r, form, true, false), form));
    }
    return out;
}

}  // namespace seeds
