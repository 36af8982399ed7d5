#include "MenuListing.h"
#include "../platform/Encoding.h"
#include "../menu/Conditions.h"
#include <memory>

CString FormatMenuListing(const MenuTables& tables, int count) {
    count = ClampMenuCount(count);
    CString out;
    out += L"Menu    Line    Text                                               Menu goto\r\n";
    out += L"------- ------- -------------------------------------------------- ---------\r\n";
    for (int m = 1; m <= count; ++m) {
        const CString* text = tables.text[m - 1];
        const CString* action = tables.program[m - 1];
        if (!text[def::kHeading1 - 1].IsEmpty())
            out += CString::Format(L"Menu %2d Head  1 %50s\r\n", m, text[def::kHeading1 - 1].c_str());
        if (!text[def::kHeading2 - 1].IsEmpty())
            out += CString::Format(L"Menu %2d Head  2 %50s\r\n", m, text[def::kHeading2 - 1].c_str());
        for (int i = 1; i <= def::kLines; ++i) {
            if (text[i - 1].IsEmpty()) continue;
            // Only links to other menus are listed; programs are not.
            const wchar_t* link = action[i - 1].StartsWith(def::kGoToPrefix) ? action[i - 1].c_str() : L"";
            out += CString::Format(L"Menu %2d Line %2d %50s %s\r\n", m, i, text[i - 1].c_str(), link);
            // What the line requires of the PC, under it, from the text's column.
            const cond::Condition c = cond::Parse(tables.condition[m - 1][i - 1], tables.conditionValue[m - 1][i - 1],
                                                  tables.conditionNot[m - 1][i - 1], tables.conditionHide[m - 1][i - 1]);
            CString more = cond::Describe(c);
            if (def::IsTrue(tables.runAs[m - 1][i - 1])) more += CString(more.IsEmpty() ? L"" : L"; ") + L"runs as administrator";
            if (!more.IsEmpty()) out += CString::Format(L"%16s%s\r\n", L"", more.c_str());
        }
    }
    return out;
}

std::string ListingFileBytes(const CString& listing) {
    std::string bytes = ToUtf8(listing);
    return listing.IsAscii() ? bytes : "\xEF\xBB\xBF" + bytes;
}

CString ListEveryLanguage(const std::vector<CString>& names, const std::vector<CString>& paths) {
    CString out;
    for (size_t i = 0; i < paths.size(); ++i) {
        std::unique_ptr<MenuTables> tables(new MenuTables);
        const int count = ReadMenuListing(CDefinitionFile(paths[i]), *tables);
        if (paths.size() > 1) out += CString(i ? L"\r\n" : L"") + L"Language: " + (i < names.size() ? names[i] : CString()) + L"\r\n\r\n";
        out += FormatMenuListing(*tables, count);
    }
    return out;
}

int ReadMenuListing(const CDefinitionFile& file, MenuTables& tables) {
    CDefinitionSnapshot source(file);
    int count = ClampMenuCount(source.ReadInt(def::kGeneral, def::kMenuCount, 1));
    for (int m = 1; m <= count; ++m) {
        source.ReadNumberedKeys(MenuSection(def::kTextBase, m), def::kTexts, def::kTextBuffer, tables.text[m - 1]);
        source.ReadNumberedKeys(MenuSection(def::kActionBase, m), def::kLines, def::kShortBuffer,
                                tables.program[m - 1]);
        source.ReadNumberedKeys(MenuSection(def::kConditionBase, m), def::kLines, def::kShortBuffer, tables.condition[m - 1]);
        source.ReadNumberedKeys(MenuSection(def::kConditionValueBase, m), def::kLines, def::kTextBuffer,
                                tables.conditionValue[m - 1]);
        source.ReadNumberedKeys(MenuSection(def::kConditionNotBase, m), def::kLines, def::kShortBuffer,
                                tables.conditionNot[m - 1]);
        source.ReadNumberedKeys(MenuSection(def::kConditionHideBase, m), def::kLines, def::kShortBuffer,
                                tables.conditionHide[m - 1]);
        source.ReadNumberedKeys(MenuSection(def::kRunAsBase, m), def::kLines, def::kShortBuffer, tables.runAs[m - 1]);
    }
    return count;
}
