// Picture sets per display scale, and the filter that fits a picture to a
// scale between the sets.
#pragma once
#include <windows.h>
#include <cstddef>
#include <cstdint>
#include <vector>

// The pictures exist at these DPIs; the 96-DPI set has the plain resource
// names, the others the name plus the suffix (WIZARDU_150).
struct PictureSet {
    int dpi;
    const wchar_t* suffix;
};

// The set to draw from at the given DPI: the exact one, else the next
// larger, else the largest. Its pictures are then fitted to the DPI.
PictureSet PictureSetFor(int dpi);

// Resizes 0x00RRGGBB pixels (rows top to bottom) by area averaging: every
// target pixel is the mean of the source area it covers, so a reduction
// keeps thin lines and edges instead of dropping rows and columns.
void ResampleArea(const uint32_t* src, int srcW, int srcH, uint32_t* dst, int dstW, int dstH);

// The larger sets are carried packed (resource type "PACKEDDIB"): a 4-byte
// unpacked length, then tokens 0x00-0x7F (n + 1 literal bytes follow) and
// 0x80-0xFF (copy (n & 0x7F) + 3 bytes from the distance in the next three
// bytes). False, with out empty, for a stream that breaks these rules.
bool UnpackPicture(const uint8_t* src, size_t size, std::vector<uint8_t>& out);

// A picture resource of exactly this name, plain bitmap or packed, as a DIB
// section; null when there is none or it is damaged.
HBITMAP LoadPictureResource(HINSTANCE module, const wchar_t* name);
