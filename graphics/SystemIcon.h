// The system's icon made from a DIcon: exactly its pixels, its colour layer as the icon's
// colour bitmap and its mask as the monochrome mask. Used wherever the system itself has to
// show one of the program's images (the notification area; window icons).
#pragma once

#include <windows.h>

class DIcon;

// A new icon the caller owns (DestroyIcon); null for no image or when the system refuses.
HICON makeSystemIcon(DIcon* image);
