#include "WizardRules.h"
#include "../menu/Definition.h"
#include <cstring>

namespace wiz {

const StockBackground kStockBackgrounds[kStockCount] = {
    {L"Blue Gradient", L"bluegrad.bmp"},
    {L"Blue-Red Gradient", L"bluered.bmp"},
    {L"Green Gradient", L"greegrad.bmp"},
    {L"Black-Orange Gradient", L"blacoran.bmp"},
    {L"Rainbow", L"rainbow.bmp"},
    {L"Lime Green Pattern", L"limegreen.bmp"},
    {L"Purple Pattern", L"purple.bmp"},
    {L"Fluffy White", L"fluff.bmp"},
    {L"Iridescent Pattern", L"shiny.bmp"},
    {L"Raised Paper", L"raised.bmp"},
};

static bool IsStockIndex(int i) { return i >= 0 && i < kStockCount; }

BackgroundView ViewForStoredBackground(int stored) {
    if (stored == def::kOwnBackground) return {true, false, -1};
    // A value that names no stock picture selects nothing.
    return {false, true, IsStockIndex(stored) ? stored : -1};
}

BackgroundSave BackgroundLeavingSave(bool stockRadio, int selection) {
    if (!stockRadio) return {true, def::kOwnBackground, nullptr};
    // Without a selection the stored choice and autorun.bmp stay as they are.
    if (!IsStockIndex(selection)) return {false, 0, nullptr};
    return {true, selection, kStockBackgrounds[selection].file};
}

CString BackgroundPreviewPath(bool ownBitmap, int selection, const wchar_t* workDir, const wchar_t* stockDir) {
    if (ownBitmap) return CString(workDir) + def::kBackgroundFile;
    if (!IsStockIndex(selection)) return CString();
    return CString(stockDir) + kStockBackgrounds[selection].file;
}

const LayoutChoice kLayoutChoices[10] = {
    {L"5 Lines - Arial", L"5 lines of centered, wrapped text. Best for menus with long lines of selection text.", L"D1"},
    {L"5 Lines - Times New Roman", L"5 lines of large centered text.", L"D2"},
    {L"5 Lines - Times New Roman", L"5 lines of left justified, wrapped text. Use for long lines of selection text.", L"D3"},
    {L"7 Lines - Arial", L"7 lines of centered text.", L"D4"},
    {L"5 Lines - Times New Roman", L"5 lines of right justified text.", L"D5"},
    {L"5 Lines - Times New Roman", L"5 lines of right justified text", L"D6"},
    {L"8 Lines - Arial", L"8 lines of right justified text.", L"D7"},
    {L"10 Lines - Times New Roman", L"10 lines of centered text.", L"D8"},
    {L"10 Lines - Times New Roman", L"10 lines of right justified text.", L"D9"},
    {L"10 Lines - Times New Roman", L"10 lines of left justified text.", L"D10"},
};

int RaisedMenuCount(int stored, int menu) {
    return menu > stored ? menu : 0;
}

CString GotoEntryText(int menu) {
    return CString::Format(L"menu%d", menu);
}

int GotoEntryForProgram(const wchar_t* program) {
    CString p(program);
    if (!p.StartsWith(def::kGoToPrefix)) return 0;
    CString rest = p.Mid(1);
    for (int k = 1; k <= def::kMaxMenus; ++k) {
        CString entry = GotoEntryText(k);
        if (entry.GetLength() >= rest.GetLength() && entry.Left(rest.GetLength()).EqualsNoCase(rest))
            return k;
    }
    return 0;
}

CString ProgramToStore(const wchar_t* gotoText, const wchar_t* program) {
    if (gotoText && *gotoText) return CString(L"_") + gotoText;
    return CString(program);
}

const ConditionChoice kConditionChoices[] = {
    {L"", L"Every PC", false, false},
    {L"version", L"Windows version at least (6.1, 10.0)", true, false},
    {L"64bit", L"64-bit Windows", false, false},
    {L"file", L"This file or folder exists", true, true},
    {L"registry", L"This registry value exists", true, false},
    {L"registry32", L"This registry value (32-bit view) exists", true, false},
    {L"registry64", L"This registry value (64-bit view) exists", true, false},
    {L"opens", L"A program opens this file type (.pdf)", true, false},
};
const int kConditionChoiceCount = sizeof kConditionChoices / sizeof kConditionChoices[0];

const ConditionChoice* ConditionChoiceFor(const wchar_t* word) {
    const CString w(word);
    for (const ConditionChoice& c : kConditionChoices)
        if (w.EqualsNoCase(c.word)) return &c;
    return nullptr;
}

const wchar_t* const kConditionBases[kConditionKeys] = {def::kConditionBase, def::kConditionValueBase,
                                                        def::kConditionNotBase, def::kConditionHideBase,
                                                        def::kRunAsBase};

ConditionKeys ConditionKeyValues(const wchar_t* kind, const wchar_t* value, bool negate, bool hide, bool runAs) {
    ConditionKeys keys;
    if (kind && *kind) {
        keys.value[0] = kind;
        keys.value[1] = value;
        keys.value[2] = negate ? def::kTrue : def::kFalse;
        keys.value[3] = hide ? L"HIDE" : L"GREY";
    }
    if (runAs) keys.value[4] = def::kTrue;
    return keys;
}

CString BareFileName(const wchar_t* path) {
    CString p(path);
    int slash = p.ReverseFind('\\');
    return slash < 0 ? p : p.Mid(static_cast<size_t>(slash) + 1);
}

CString SoundToPlay(const wchar_t* workDir, const wchar_t* name) {
    if (!name || !*name) return CString();
    if (std::wcspbrk(name, L"\\/:")) return CString();
    return CString(workDir) + name;
}

}  // namespace wiz
