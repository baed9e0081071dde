// DPalette: the five colours a window or a view paints itself with. Windows and views
// start from the same defaults, the classic grey look, and take their colours from their
// theme when they have one (DTheme::palette); menus take the theme's menu colours
// (DTheme::menuPalette), whose defaults are DPalette::menu(). Plain values, owns nothing.
//
// The defaults are those of a theme that nobody changed, so a window or view without a
// theme looks like one with the classic theme. Windows used to start with a bright blue
// selection colour (0xFF0000); every window of the program is made while a theme is set, which
// replaces it before anything is drawn, and a window whose theme is taken away already got
// the theme's dark blue (0x800000), so the one default is the theme's.
#pragma once

#include "graphics/DColor.h"

struct DPalette {
    DColor background{0xC0C0C0u};  // what paint fills the rectangle with
    DColor face{0xC0C0C0u};        // button faces
    DColor light{0xFFFFFFu};       // lit edges; also the white of fields and lists
    DColor shadow{0x808080u};      // shadowed edges and disabled ink
    DColor selection{0x800000u};   // selected rows and text (0x00BBGGRR: dark blue)

    // The menus' defaults: the same greys with a pure blue highlight outline (0xFF0000).
    static DPalette menu()
    {
        DPalette palette;
        palette.selection = DColor(0xFF0000u);
        return palette;
    }

    bool operator==(const DPalette& other) const
    {
        return background == other.background && face == other.face && light == other.light &&
               shadow == other.shadow && selection == other.selection;
    }
    bool operator!=(const DPalette& other) const { return !(*this == other); }
};
