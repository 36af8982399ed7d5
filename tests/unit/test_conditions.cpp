// Lines that fit the computer: each kind of condition against a PC the
// test makes up, negation, and conditions that cannot be checked.
#include "menu/Conditions.h"
#include "menu/MenuLogic.h"
#include "platform/Encoding.h"
#include <windows.h>
#include <gtest/gtest.h>
#include <set>
#include <string>

namespace {

// A 64-bit Windows 10 with one program installed, a .pdf reader, and a
// 32-bit key only in the 32-bit view.
class MadeUpPC : public cond::System {
public:
    unsigned major = 10, minor = 0;
    bool is64 = true;
    std::set<std::wstring> paths{L"C:\\Program Files\\App\\app.exe", L"D:\\disc\\setup.exe", L"C:\\Users\\Ana"};
    std::set<std::wstring> values64{L"M|Software\\App|Version", L"U|Software\\Mine|"};
    std::set<std::wstring> values32{L"M|Software\\Old|Path"};
    std::set<std::wstring> types{L".pdf"};

    void Version(unsigned& a, unsigned& b) override { a = major; b = minor; }
    bool Windows64() override { return is64; }
    CString Expand(const wchar_t* text) override {
        std::wstring t(text);
        const std::wstring pf = L"%ProgramFiles%", user = L"%USERPROFILE%";
        if (t.compare(0, pf.size(), pf) == 0) t = L"C:\\Program Files" + t.substr(pf.size());
        if (t.compare(0, user.size(), user) == 0) t = L"C:\\Users\\Ana" + t.substr(user.size());
        return CString(t.c_str());
    }
    bool Exists(const wchar_t* path) override { return paths.count(path) > 0; }
    bool RegistryValue(bool machine, const wchar_t* key, const wchar_t* name, bool view64) override {
        const std::wstring id = std::wstring(machine ? L"M|" : L"U|") + key + L"|" + name;
        return (is64 && !view64 ? values32 : values64).count(id) > 0;
    }
    bool Opens(const wchar_t* extension) override { return types.count(extension) > 0; }
};

struct Case {
    const wchar_t* kind;
    const wchar_t* value;
    bool negate;
    bool met;
    bool checkable = true;
};

TEST(Conditions, EachKindOnAMadeUpPC) {
    const Case cases[] = {
        {L"", L"", false, true},                                   // no condition: every PC
        {L"version", L"6.1", false, true},
        {L"version", L"10.0", false, true},
        {L"version", L"10.1", false, false},
        {L"version", L"11", false, false},
        {L"VERSION", L"6.1", true, false},                         // negated
        {L"64bit", L"", false, true},
        {L"64bit", L"", true, false},
        {L"file", L"%ProgramFiles%\\App\\app.exe", false, true},   // variables expanded
        {L"file", L"setup.exe", false, true},                      // relative to the disc
        {L"file", L"%ProgramFiles%\\App\\app.exe", true, false},
        {L"file", L"%USERPROFILE%", false, true},                  // a folder counts
        {L"file", L"missing.exe", true, true},
        {L"registry", L"HKLM\\Software\\App\\Version", false, true},  // the 64-bit view on 64-bit Windows
        {L"registry", L"HKEY_LOCAL_MACHINE\\Software\\Old\\Path", false, false},
        {L"registry32", L"HKLM\\Software\\Old\\Path", false, true},
        {L"registry64", L"HKLM\\Software\\Old\\Path", false, false},
        {L"registry", L"HKCU\\Software\\Mine\\", false, true},     // the key's default value
        {L"registry", L"HKCU\\Software\\App\\Version", false, false},
        {L"opens", L".pdf", false, true},
        {L"opens", L".xyz", false, false},
        {L"opens", L".xyz", true, true},
        // Conditions that cannot be checked are never met, negated or not.
        {L"sometimes", L"", false, false, false},
        {L"sometimes", L"", true, false, false},
        {L"version", L"ten", false, false, false},
        {L"version", L"6.1.7600", true, false, false},
        {L"version", L"", false, false, false},
        {L"file", L"", true, false, false},
        {L"registry", L"HKCR\\.pdf\\", false, false, false},
        {L"registry", L"Software\\App", true, false, false},
        {L"opens", L"pdf", false, false, false},
        {L"opens", L".p\\df", true, false, false},
    };
    MadeUpPC pc;
    for (const Case& c : cases) {
        const cond::Condition parsed = cond::Parse(c.kind, c.value, c.negate ? L"TRUE" : L"FALSE", L"HIDE");
        EXPECT_EQ(c.met, cond::Met(parsed, pc, L"D:\\disc\\"))
            << ToUtf8(CString(c.kind)) << " " << ToUtf8(CString(c.value)) << (c.negate ? " negated" : "");
        // A problem is reported exactly for the conditions that cannot be checked.
        EXPECT_EQ(c.checkable, cond::Problem(parsed).IsEmpty()) << ToUtf8(CString(c.kind)) << " " << ToUtf8(CString(c.value));
    }
}

TEST(Conditions, AThirtyTwoBitWindowsHasOneRegistryView) {
    MadeUpPC pc;
    pc.is64 = false;
    pc.major = 6;
    pc.minor = 1;
    EXPECT_FALSE(cond::Met(cond::Parse(L"64bit", L"", L"", L""), pc, L""));
    EXPECT_TRUE(cond::Met(cond::Parse(L"registry", L"HKLM\\Software\\App\\Version", L"", L""), pc, L""));
    EXPECT_TRUE(cond::Met(cond::Parse(L"version", L"6.1", L"", L""), pc, L""));
    EXPECT_FALSE(cond::Met(cond::Parse(L"version", L"6.2", L"", L""), pc, L""));
}

TEST(Conditions, WordsAndDescriptions) {
    const cond::Condition hidden = cond::Parse(L"registry32", L"HKLM\\X\\Y", L"TRUE", L"hide");
    EXPECT_TRUE(hidden.hide);
    EXPECT_TRUE(hidden.negate);
    EXPECT_STREQ(L"registry32", cond::KindWord(hidden));
    EXPECT_EQ(CString(L"requires no registry value (32-bit) HKLM\\X\\Y, hidden otherwise"), cond::Describe(hidden));
    const cond::Condition greyed = cond::Parse(L"opens", L".pdf", L"true", L"GREY");
    EXPECT_FALSE(greyed.negate) << "only TRUE means yes";
    EXPECT_FALSE(greyed.hide);
    EXPECT_EQ(CString(L"requires a program for .pdf files, greyed otherwise"), cond::Describe(greyed));
    EXPECT_TRUE(cond::Describe(cond::Parse(L"", L"x", L"TRUE", L"HIDE")).IsEmpty());
}

// Dimmed towards the side the author's colour already contrasts with.
TEST(Conditions, GreyedColourKeepsItsSideOfTheContrast) {
    struct { int rgb[3]; COLORREF greyed; } cases[] = {
        {{255, 255, 255}, RGB(175, 175, 175)},
        {{0, 0, 0}, RGB(80, 80, 80)},
        {{255, 255, 0}, RGB(175, 175, 48)},
        {{0, 0, 255}, RGB(80, 80, 207)},
    };
    for (const auto& c : cases) EXPECT_EQ(c.greyed, static_cast<COLORREF>(menu::GreyedColor(c.rgb)));
}

}  // namespace
