// The system's icon made from a DIcon: exactly its pixels, its colour layer as the icon's
// colour bitmap and its mask as the monochrome mask, or the same enlarged (or reduced) to
// the size the system asks for, pixel for pixel as graphics/PixelScale.h does it, so no
// colours are mixed and edges stay hard. Used wherever the system itself has to show one of
// the program's images (the notification area; window icons).
#pragma once

#include <windows.h>

class DIcon;

// A new icon the caller owns (DestroyIcon); null for no image or when the system refuses.
HICON makeSystemIcon(DIcon* image);
// The same at width x height pixels (the image's own size when either is below 1).
HICON makeSystemIcon(DIcon* image, int width, int height);
// A new icon (owned by the caller) holding `image` at width x height pixels, both layers
// scaled pixel for pixel; null for no image or a size below 1.
DIcon* scaledIcon(DIcon* image, int width, int height);
