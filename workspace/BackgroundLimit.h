// How large a background needs to be: the box the ten menu windows fit in
// at 200 % display scale, the largest scale a picture is drawn at without
// being enlarged. Measured from the layouts a program carries (their sizes
// in dialog units and their fonts), so it follows any change of a layout.
#pragma once
#include "PictureRules.h"
#include <windows.h>
#include <string>

// What a dialog template says about the window's size and font.
struct DialogFacts {
    int cx = 0, cy = 0;          // dialog units
    int pointSize = 0;           // 0: the template names no font
    int weight = 0;
    bool italic = false;
    int charset = 0;
    std::wstring face;
};

// Reads a DLGTEMPLATE or DLGTEMPLATEEX; false when it is cut short.
bool ReadDialogFacts(const void* data, std::size_t size, DialogFacts& facts);

// The client size of one layout's window at the given DPI, as the dialog
// manager makes it; 0 x 0 when the module has no such template.
pic::Size LayoutWindowSize(HMODULE module, int templateId, int dpi);

// The box around the windows of ten layouts from 'firstTemplate' at 'dpi'.
pic::Size LayoutsBox(HMODULE module, int firstTemplate, int dpi);

// The limit for backgrounds from this program's own layouts.
pic::Size BackgroundLimit();

