// Where a theme learns whether the system asks for high contrast, and in which colours.
#include "framework/DTheme.h"

#include <windows.h>

#include <atomic>

namespace {

DColor systemColor(int index)
{
    return DColor(static_cast<uint32_t>(GetSysColor(index)));
}

bool systemContrast(DSystemColors& c)
{
    HIGHCONTRASTA settings = {};
    settings.cbSize = sizeof settings;
    if (!SystemParametersInfoA(SPI_GETHIGHCONTRAST, sizeof settings, &settings, 0) ||
        (settings.dwFlags & HCF_HIGHCONTRASTON) == 0)
        return false;
    c.window = systemColor(COLOR_WINDOW);
    c.windowText = systemColor(COLOR_WINDOWTEXT);
    c.face = systemColor(COLOR_BTNFACE);
    c.faceText = systemColor(COLOR_BTNTEXT);
    c.light = systemColor(COLOR_BTNHIGHLIGHT);
    c.shadow = systemColor(COLOR_BTNSHADOW);
    c.grayText = systemColor(COLOR_GRAYTEXT);
    c.highlight = systemColor(COLOR_HIGHLIGHT);
    c.highlightText = systemColor(COLOR_HIGHLIGHTTEXT);
    c.menu = systemColor(COLOR_MENU);
    c.menuText = systemColor(COLOR_MENUTEXT);
    c.infoBack = systemColor(COLOR_INFOBK);
    c.infoText = systemColor(COLOR_INFOTEXT);
    return true;
}

std::atomic<DContrastSource> contrastSource{nullptr};

}  // namespace

void setContrastSource(DContrastSource source)
{
    contrastSource.store(source);
}

void DTheme::followSystem()
{
    DContrastSource source = contrastSource.load();
    DSystemColors c;
    if ((source ? source : systemContrast)(c))
        setHighContrast(c);
    else
        clearHighContrast();
}
