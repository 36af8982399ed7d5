// The volume label a disc gets from its menu's title.
#pragma once
#include <string>

// Letters, digits, blanks, "_" and "-" of the title, at most 32 characters;
// "DISC" when nothing is left.
std::string LabelFromTitle(const char* title);
