// The volume label a disc gets from its menu's title.
#pragma once
#include <string>

// Letters (of any script), digits, blanks, "_" and "-" of the title, at
// most 32 UTF-16 characters, as UTF-8; "DISC" when nothing is left. The
// Joliet label keeps its first 16 characters as they are; the primary one
// takes what ISO 9660 allows of them.
std::string LabelFromTitle(const wchar_t* title);
