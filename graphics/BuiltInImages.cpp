#include "graphics/BuiltInImages.h"

#include "graphics/ImageTables.h"

DIcon* idleIcon = nullptr;
DIcon* checkingIcon = nullptr;
DIcon* errorIcon = nullptr;
DIcon* newMailIcon = nullptr;
DIcon* seenMailIcon = nullptr;
DIcon* appIcon = nullptr;

namespace {

int hexDigit(char c)
{
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
}

// Reads the two-digit channel at `offset` as a hexadecimal number would be read with its
// "0x" prefix: digits up to the first that is not hexadecimal, 0 when there is none.
int channelAt(const DString& row, int offset)
{
    int value = 0;
    for (int i = 0; i < 2; ++i) {
        if (!row.isValidIndex(offset + i)) break;
        int d = hexDigit(*row.textAt(offset + i));
        if (d < 0) break;
        value = value * 16 + d;
    }
    return value;
}

void fillLayer(DBitmap* layer, int width, int height, const DStringList& rows)
{
    DCanvas* canvas = layer->canvas();
    canvas->lock();
    for (int y = 0; y < height; ++y) {
        DString row = rows.get(y);
        for (int x = 0; x < width; ++x) {
            int offset = 6 * x;
            canvas->setPixel(x, y, DColor(channelAt(row, offset), channelAt(row, offset + 2),
                                          channelAt(row, offset + 4)));
        }
    }
    canvas->unlock();
}

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
    fillLayer(icon->image(), width, height, colorRows);
    fillLayer(icon->mask(), width, height, maskRows);
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
