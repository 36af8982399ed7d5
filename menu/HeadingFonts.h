// Heading fonts per layout: the layout's own face, bold, in these heights
// (pixels at 96 DPI; the menu window scales them to the display). The
// picture generator reads this table for the template previews, so the
// heights stand only here.
#pragma once

struct HeadingFont {
    const wchar_t* face;
    int heading1;
    int heading2;
};

const HeadingFont kHeadingFonts[] = {
    {L"Arial", 50, 28},
    {L"Times New Roman", 50, 32},
    {L"Times New Roman", 40, 28},
    {L"Arial", 40, 28},
    {L"Times New Roman", 36, 24},
    {L"Times New Roman", 40, 26},
    {L"Arial", 50, 28},
    {L"Times New Roman", 40, 28},
    {L"Times New Roman", 40, 28},
    {L"Times New Roman", 40, 28},
};
