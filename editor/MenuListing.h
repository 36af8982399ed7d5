// The menu listing (automenu.txt): every menu's headings and non-empty lines
// with the menu each line leads to, in fixed columns for reading on paper.
#pragma once
#include "../platform/String.h"
#include "../menu/Definition.h"
#include <string>
#include <vector>

// The listing of menus 1..count (count clamped to 0..200) from the texts and
// actions of the tables, with CR LF line ends.
CString FormatMenuListing(const MenuTables& tables, int count);

// The listing as automenu.txt holds it: plain ASCII as it is; with any
// other letter, UTF-8 after its byte-order mark, which Notepad (since
// Windows 2000) and every other editor open with every letter kept.
std::string ListingFileBytes(const CString& listing);

// The listing of a definition in several languages: each language's
// listing under a line naming it ("Language: Deutsch (de)"); a definition in
// one language alone gets its listing as it always was. names[i] names the
// language of the definition file paths[i].
CString ListEveryLanguage(const std::vector<CString>& names, const std::vector<CString>& paths);

// Reads what the listing shows: the menu count and, for each menu, its texts
// and actions. Returns the clamped count.
int ReadMenuListing(const CDefinitionFile& file, MenuTables& tables);
