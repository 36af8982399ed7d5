#include "WizardRules.h"
#include "../menu/Definition.h"
#include <cstring>

namespace wiz {

const StockBackground kStockBackgrounds[kStockCount] = {
    {"Blue Gradient", "bluegrad.bmp"},
    {"Blue-Red Gradient", "bluered.bmp"},
    {"Green Gradient", "greegrad.bmp"},
    {"Black-Orange Gradient", "blacoran.bmp"},
    {"Rainbow", "rainbow.bmp"},
    {"Lime Green Pattern", "limegreen.bmp"},
    {"Purple Pattern", "purple.bmp"},
    {"Fluffy White", "fluff.bmp"},
    {"Iridescent Pattern", "shiny.bmp"},
    {"Raised Paper", "raised.bmp"},
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

CString BackgroundPreviewPath(bool ownBitmap, int selection, const char* workDir, const char* stockDir) {
    if (ownBitmap) return CString(workDir) + def::kBackgroundFile;
    if (!IsStockIndex(selection)) return CString();
    return CString(stockDir) + kStockBackgrounds[selection].file;
}

const LayoutChoice kLayoutChoices[10] = {
    {"5 Lines - Arial", "5 lines of centered, wrapped text. Best for menus with long lines of selection text.", "D1"},
    {"5 Lines - Times New Roman", "5 lines of large centered text.", "D2"},
    {"5 Lines - Times New Roman", "5 lines of left justified, wrapped text. Use for long lines of selection text.", "D3"},
    {"7 Lines - Arial", "7 lines of centered text.", "D4"},
    {"5 Lines - Times New Roman", "5 lines of right justified text.", "D5"},
    {"5 Lines - Times New Roman", "5 lines of right justified text", "D6"},
    {"8 Lines - Arial", "8 lines of right justified text.", "D7"},
    {"10 Lines - Times New Roman", "10 lines of centered text.", "D8"},
    {"10 Lines - Times New Roman", "10 lines of right justified text.", "D9"},
    {"10 Lines - Times New Roman", "10 lines of left justified text.", "D10"},
};

int RaisedMenuCount(int stored, int menu) {
    return menu > stored ? menu : 0;
}

CString GotoEntryText(int menu) {
    return CString::Format("menu%d", menu);
}

int GotoEntryForProgram(const char* program) {
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

CString ProgramToStore(const char* gotoText, const char* program) {
    if (gotoText && *gotoText) return CString("_") + gotoText;
    return CString(program);
}

CString BareFileName(const char* path) {
    CString p(path);
    int slash = p.ReverseFind('\\');
    return slash < 0 ? p : p.Mid(static_cast<size_t>(slash) + 1);
}

CString SoundToPlay(const char* workDir, const char* name) {
    if (!name || !*name) return CString();
    if (std::strpbrk(name, "\\/:")) return CString();
    return CString(workDir) + name;
}

}  // namespace wiz
