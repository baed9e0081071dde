#include "graphics/DIcon.h"

DIcon::DIcon(int width, int height)
    : colorLayer(new DBitmap(width, height)), maskLayer(new DBitmap(width, height)),
      iconWidth(width), iconHeight(height)
{
}

DIcon::~DIcon()
{
    delete maskLayer;
    delete colorLayer;
}
