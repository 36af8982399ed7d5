// The menu listing (automenu.txt): every menu's headings and non-empty lines
// with the menu each line leads to, in fixed columns for reading on paper.
#pragma once
#include "../platform/String.h"
#include "../menu/Definition.h"

// The listing of menus 1..count (count clamped to 0..200) from the texts and
// actions of the tables, with CR LF line ends.
CString FormatMenuListing(const MenuTables& tables, int count);

// Reads what the listing shows: the menu count and, for each menu, its texts
// and actions. Returns the clamped count.
int ReadMenuListing(const CDefinitionFile& file, MenuTables& tables);
