// The numbers that differ between the programs that carry the menu window:
// its layout resources and its control numbers.
#pragma once

struct MenuWindowIds {
    unsigned layoutBase;      // resource of layout 0; layout i is layoutBase + i
    unsigned placeholder;     // template id given before the layout is known
    int lines[12];            // line slots 0..11
    int noLine;               // the no-line marker (slot 14)
    int heading1;
    int heading2;
};

extern const MenuWindowIds kPlayerMenuIds;
extern const MenuWindowIds kEditorMenuIds;
