// Puts a chosen picture in place as a background file: a .bmp is copied as
// it is; any other picture is decoded by the system's picture library
// (GDI+, part of Windows since XP) and written as a 24-bit bitmap, reduced
// to the background limit. The target changes only when this succeeds.
#pragma once
#include "PictureRules.h"
#include <string>

struct PlacedPicture {
    bool ok = false;
    bool converted = false;     // decoded and written anew (not copied)
    pic::Size original;         // of the chosen picture (converted ones)
    pic::Size written;
    std::string message;        // why not, for the user
};

PlacedPicture PlacePicture(const wchar_t* picture, const wchar_t* target, pic::Size limit);

// Decodes a picture file and gives its rows to the converter, which reduces
// it to the size ReducedSize gives for 'limit'.
PlacedPicture ConvertPicture(const wchar_t* picture, const wchar_t* target, pic::Size limit);
