// Picture sets per display scale, and the filter that fits a picture to a
// scale between the sets.
#pragma once
#include <cstdint>

// The pictures exist at these DPIs; the 96-DPI set has the plain resource
// names, the others the name plus the suffix (WIZARDU_150).
struct PictureSet {
    int dpi;
    const char* suffix;
};

// The set to draw from at the given DPI: the exact one, else the next
// larger, else the largest. Its pictures are then fitted to the DPI.
PictureSet PictureSetFor(int dpi);

// Resizes 0x00RRGGBB pixels (rows top to bottom) by area averaging: every
// target pixel is the mean of the source area it covers, so a reduction
// keeps thin lines and edges instead of dropping rows and columns.
void ResampleArea(const uint32_t* src, int srcW, int srcH, uint32_t* dst, int dstW, int dstH);
