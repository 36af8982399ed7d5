// Heading fonts per layout: the layout's own face, bold, in these heights
// (pixels at 96 DPI; the menu window scales them to the display). The
// picture generator reads this table for the template previews, so the
// heights stand only here.
#pragma once

struct HeadingFont {
    const char* face;
    int heading1;
    int heading2;
};

const HeadingFont kHeadingFonts[] = {
    {"Arial", 50, 28},
    {"Times New Roman", 50, 32},
    {"Times New Roman", 40, 28},
    {"Arial", 40, 28},
    {"Times New Roman", 36, 24},
    {"Times New Roman", 40, 26},
    {"Arial", 50, 28},
    {"Times New Roman", 40, 28},
    {"Times New Roman", 40, 28},
    {"Times New Roman", 40, 28},
};
