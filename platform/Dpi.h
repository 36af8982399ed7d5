// The display's scale. The programs are aware of the system DPI (one value
// for as long as they run, fixed when they start), so it is read once.
#pragma once
#include <windows.h>

// Pixels per logical inch of the screen; 96 at 100 %.
int SystemDpi();

// A length in pixels at 96 DPI, at the given DPI (halves round away from zero).
inline int ScaleToDpi(int pixels, int dpi) { return MulDiv(pixels, dpi, 96); }
