// Checks a disc folder before it goes onto a disc: whether the menu on it
// will start and every line leads somewhere. Plain code: the findings are
// texts, the dialog and the command line only show them.
#pragma once
#include "../workspace/PictureRules.h"
#include "DiscFiles.h"
#include <string>
#include <vector>

struct DiscFinding {
    enum Kind { kError, kWarning } kind;
    std::string text;                   // names the menu and line where there is one
};

// Reads the folder's auto.tdf through the definition module and looks at
// the folder's files. 'folder' may end in a backslash or not. A background
// larger than 'backgroundLimit' (the box of the menu windows, see
// BackgroundLimit) gets a warning; a limit of 0 x 0 gives none.
std::vector<DiscFinding> CheckDiscFolder(DiscFiles& files, const std::string& folder, pic::Size backgroundLimit);

bool HasErrors(const std::vector<DiscFinding>& findings);

// "error: ..." or "warning: ...", as the command line prints a finding.
std::string FindingLine(const DiscFinding& finding);
