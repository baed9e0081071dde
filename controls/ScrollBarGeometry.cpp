#include "controls/ScrollBarGeometry.h"

#include <cmath>

namespace {

// The track: the bar between its two arrows; negative when the bar is shorter than them.
long long trackLength(int length)
{
    return static_cast<long long>(length) - 2 * scrollArrowLength;
}

// A floating-point value truncated toward zero and held inside [low, high] first, so the
// conversion can never leave the integer's range.
long long truncateWithin(double value, long long low, long long high)
{
    if (!(value >= static_cast<double>(low)))  // also catches NaN
        return low;
    if (value >= static_cast<double>(high))
        return high;
    long long truncated = static_cast<long long>(std::trunc(value));
    return truncated < low ? low : (truncated > high ? high : truncated);
}

}  // namespace

bool scrollBarIsHorizontal(int width, int height)
{
    return height < width;
}

DArrowPlace scrollFirstArrowPlace(int width, int height)
{
    DArrowPlace place;
    if (scrollBarIsHorizontal(width, height)) {
        place.width = scrollArrowLength;
        place.height = height;
        place.direction = 2;
    } else {
        place.width = width;
        place.height = scrollArrowLength;
        place.direction = 0;
    }
    return place;
}

DArrowPlace scrollSecondArrowPlace(int width, int height)
{
    DArrowPlace place;
    if (scrollBarIsHorizontal(width, height)) {
        place.x = width - scrollArrowLength;
        place.width = scrollArrowLength;
        place.height = height;
        place.direction = 3;
    } else {
        place.y = height - scrollArrowLength;
        place.width = width;
        place.height = scrollArrowLength;
        place.direction = 1;
    }
    return place;
}

unsigned scrollThumbLength(int length, unsigned total, unsigned pageSize)
{
    if (total == 0)
        return scrollMinimumThumb;
    // The page's share of the track, in floating point and truncated toward zero.
    double share = static_cast<double>(trackLength(length)) / total * pageSize;
    return static_cast<unsigned>(truncateWithin(share, scrollMinimumThumb, 0xFFFFFFFFLL));
}

unsigned scrollThumbOffset(int length, unsigned total, unsigned pageSize, unsigned position,
                           unsigned thumbLength)
{
    // With the page covering everything there is no travel (and a page larger than the
    // total must not wrap the unsigned difference round).
    if (total <= pageSize)
        return 0;
    long long travel = trackLength(length) - static_cast<long long>(thumbLength);
    if (travel <= 0)
        return 0;
    double offset = static_cast<double>(travel) / (total - pageSize) * position;
    // A position past the last page (a page that grew after the position was set) still
    // keeps the thumb inside its track.
    return static_cast<unsigned>(truncateWithin(offset, 0, travel));
}

unsigned DScrollModel::maxPosition() const
{
    return total > pageSize ? total - pageSize : 0;
}

bool DScrollModel::isActive() const
{
    return total != 0 && pageSize != 0 && total != pageSize;
}

void DScrollModel::updateThumb()
{
    thumbLength = scrollThumbLength(length, total, pageSize);
    updateThumbOffset();
}

void DScrollModel::updateThumbOffset()
{
    thumbOffset = scrollThumbOffset(length, total, pageSize, position, thumbLength);
}

void DScrollModel::setLength(int pixels)
{
    length = pixels;
    updateThumb();
}

void DScrollModel::setTotal(unsigned n)
{
    total = n;
    if (pageSize != 0) {
        if (pageSize > total)
            pageSize = total;
        if (position > maxPosition())
            position = maxPosition();
    }
    // The thumb always follows the values, so a bar with nothing to scroll shows the
    // minimum thumb from the start.
    updateThumb();
}

void DScrollModel::setPosition(unsigned n)
{
    position = n > maxPosition() ? maxPosition() : n;
    updateThumb();
}

void DScrollModel::setPageSize(unsigned n)
{
    pageSize = (total != 0 && n > total) ? total : n;
    updateThumb();
}

DScrollHit DScrollModel::hit(int coordinate) const
{
    long long start = static_cast<long long>(scrollArrowLength) + thumbOffset;
    long long c = coordinate;
    if (c < start)
        return scrollHitBefore;
    if (c <= start + thumbLength)
        return scrollHitThumb;
    return scrollHitAfter;
}

void DScrollModel::pageClick(int coordinate)
{
    if (hit(coordinate) == scrollHitBefore) {
        position = position > pageSize ? position - pageSize : 0;
    } else {
        unsigned long long forward = static_cast<unsigned long long>(position) + pageSize;
        position = forward < maxPosition() ? static_cast<unsigned>(forward) : maxPosition();
    }
    updateThumbOffset();
}

unsigned DScrollModel::dragPosition(int coordinate, int grabOffset) const
{
    // The pixels the thumb can travel; none when it fills (or overfills) the track.
    long long travel = trackLength(length) - static_cast<long long>(thumbLength);
    if (travel <= 0 || total <= pageSize)
        return 0;
    double unitPixels = static_cast<double>(travel) / (total - pageSize);
    double moved = static_cast<double>(static_cast<long long>(coordinate) - grabOffset -
                                       scrollArrowLength);
    return static_cast<unsigned>(truncateWithin(moved / unitPixels, 0, maxPosition()));
}

bool DScrollModel::lineBack()
{
    if (!isActive())
        return false;
    if (position > 0)
        position--;
    updateThumbOffset();
    return true;
}

bool DScrollModel::lineForward()
{
    if (!isActive())
        return false;
    if (position < maxPosition())
        position++;
    updateThumbOffset();
    return true;
}
