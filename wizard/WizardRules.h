// The wizard's decisions as plain code: the pages' tables, what a stored
// value shows, what a page writes and copies when it is left, and how the
// action dialog recognises a go-to. The pages only carry these out.
#pragma once
#include "../menu/Definition.h"
#include "../platform/String.h"

namespace wiz {

// ---- Background page ----------------------------------------------------------
const int kStockCount = 10;

struct StockBackground {
    const wchar_t* listText;
    const wchar_t* file;        // in the stock background folder
};
extern const StockBackground kStockBackgrounds[kStockCount];

// What the controls show for a stored key "400".
struct BackgroundView {
    bool ownBitmap;          // radio "User provided Background BMP"
    bool touchSelection;     // false: leave the list's selection as it is
    int selection;           // list index to select, -1 for none
};
BackgroundView ViewForStoredBackground(int stored);

// What leaving the page writes and copies.
struct BackgroundSave {
    bool writeKey;
    int value;               // key "400"
    const wchar_t* copyStock;   // stock file to copy to autorun.bmp, or null
};
// stockRadio: "Choose a Background" is checked; selection: the list's (-1: none).
BackgroundSave BackgroundLeavingSave(bool stockRadio, int selection);

// The picture the preview shows: the work folder's autorun.bmp for the own
// bitmap, else the stock file of the selection; empty when there is none.
CString BackgroundPreviewPath(bool ownBitmap, int selection, const wchar_t* workDir, const wchar_t* stockDir);

// ---- Template page --------------------------------------------------------------
struct LayoutChoice {
    const wchar_t* listText;
    const wchar_t* description;
    const wchar_t* preview;     // bitmap resource
};
extern const LayoutChoice kLayoutChoices[10];

// ---- Menu text page -------------------------------------------------------------
// The count to write after moving to menu number 'menu' (1-200) when the
// stored count is 'stored'; 0 when the count stays (it is never lowered).
int RaisedMenuCount(int stored, int menu);

// ---- Action dialog --------------------------------------------------------------
// "menu%d" of 1..200: the entries of the menu lists (the go-to list has a
// blank one before them).
CString GotoEntryText(int menu);
// The go-to list entry (1-200) a stored program selects, 0 for none: only a
// program that starts with the go-to prefix exactly is a go-to, and the entry is
// the first whose text starts with the rest, without regard to case.
int GotoEntryForProgram(const wchar_t* program);
// What OK stores as the program: the go-to when one is chosen, else the path.
CString ProgramToStore(const wchar_t* gotoText, const wchar_t* program);

// The kinds of condition the action dialog offers, in its list's order; the
// first is none (every PC).
struct ConditionChoice {
    const wchar_t* word;    // as stored
    const wchar_t* label;   // as listed
    bool takesValue;        // the kind asks for a value
    bool browses;           // the value is a path to browse for
};
extern const ConditionChoice kConditionChoices[];
extern const int kConditionChoiceCount;
// The choice of a stored word, null for a word that names none.
const ConditionChoice* ConditionChoiceFor(const wchar_t* word);

// The five keys of a line's condition and elevation, in this order: kind,
// value, negation, what happens when not met, run as administrator.
const int kConditionKeys = 5;
extern const wchar_t* const kConditionBases[kConditionKeys];
struct ConditionKeys {
    CString value[kConditionKeys];   // empty: the key is not stored
};
// What OK stores: nothing at all for a line without a condition and
// without elevation.
ConditionKeys ConditionKeyValues(const wchar_t* kind, const wchar_t* value, bool negate, bool hide, bool runAs);

// ---- Title, colours and sounds page ------------------------------------------------
// The part of a chosen path after its last backslash.
CString BareFileName(const wchar_t* path);
// The work folder's copy of a sound to play; empty when there is nothing to
// play or the name is not a bare file name (it would point elsewhere).
CString SoundToPlay(const wchar_t* workDir, const wchar_t* name);

}  // namespace wiz
