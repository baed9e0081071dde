#include "graphics/BuiltInImages.h"

#include "graphics/HexRows.h"
#include "graphics/ImageTables.h"

DIcon* idleIcon = nullptr;
DIcon* checkingIcon = nullptr;
DIcon* errorIcon = nullptr;
DIcon* newMailIcon = nullptr;
DIcon* seenMailIcon = nullptr;
DIcon* appIcon = nullptr;

namespace {

void fillRows(DStringList* list, const char* const* rows, int height)
{
    for (int y = 0; y < height; ++y) list->add(DString(rows[y]));
}

// Fills the two row lists from a stored table, converts them and throws the lists away.
DIcon* buildIcon(const DHexImage& table, int width, int height)
{
    DStringList* colors = new DStringList;
    DStringList* masks = new DStringList;
    fillRows(colors, table.colorRows, table.height < height ? table.height : height);
    fillRows(masks, table.maskRows, table.height < height ? table.height : height);
    DIcon* icon = iconFromHexRows(width, height, *colors, *masks);
    colors->clear();
    masks->clear();
    delete colors;
    delete masks;
    return icon;
}

void replace(DIcon*& slot, DIcon* icon)
{
    delete slot;
    slot = icon;
}

}  // namespace

DIcon* iconFromHexRows(int width, int height, const DStringList& colorRows,
                       const DStringList& maskRows)
{
    DIcon* icon = new DIcon(width, height);
    // Each layer goes in with one transfer: setting thousands of pixels one at a time through
    // a canvas took seconds at start-up under Wine.
    icon->image()->setPixels(decodeHexRows(width, height, colorRows));
    icon->mask()->setPixels(decodeHexRows(width, height, maskRows));
    return icon;
}

void buildBuiltInImages()
{
    replace(checkingIcon, buildIcon(checkingImage, checkingIconWidth, checkingIconHeight));
    replace(appIcon, buildIcon(appImage, appIconWidth, appIconHeight));
    replace(errorIcon, buildIcon(errorImage, errorIconWidth, errorIconHeight));
    replace(newMailIcon, buildIcon(newMailImage, newMailIconWidth, newMailIconHeight));
    replace(seenMailIcon, buildIcon(seenMailImage, seenMailIconWidth, seenMailIconHeight));
    replace(idleIcon, buildIcon(idleImage, idleIconWidth, idleIconHeight));
}

void destroyBuiltInImages()
{
    replace(checkingIcon, nullptr);
    replace(appIcon, nullptr);
    replace(errorIcon, nullptr);
    replace(newMailIcon, nullptr);
    replace(seenMailIcon, nullptr);
    replace(idleIcon, nullptr);
}
