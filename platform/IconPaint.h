// Painting shared by the programs' dialogs.
#pragma once
#include <windows.h>

// The WM_PAINT handling of a dialog that shows its icon while minimised:
// erases the icon background and draws the icon centred; otherwise only
// validates the window (the dialog's controls paint themselves).
void PaintDialogWithIcon(HWND dialog, HICON icon);
