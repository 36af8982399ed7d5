// The program's message boxes: the program name as caption, owned by the
// window the user is working in.
#pragma once
#include <windows.h>

// Shows text with the buttons and icon of 'type' (MB_xxx); returns the
// button pressed (IDOK, IDYES, ...).
int AppMessageBox(const wchar_t* text, UINT type = MB_OK | MB_ICONEXCLAMATION);
