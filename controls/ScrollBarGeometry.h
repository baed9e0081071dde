// Scroll-bar geometry and arithmetic: the numbers behind a scroll bar, with no window. A bar
// is `length` pixels long along its axis (its width when horizontal, its height when
// vertical); an 18-pixel arrow sits at each end and the track fills the rest. Along the
// track a thumb of `thumbLength` pixels starts `thumbOffset` pixels after the first arrow.
// The bar scrolls `total` units, of which `pageSize` are visible at once, starting at
// `position`. Painting and mouse handling both use these functions, so what is drawn is
// what is hit.
//
// Every function takes any values (a bar shorter than its arrows, a page larger than the
// total, totals up to 2^32 - 1) without dividing by zero or overflowing, and keeps the
// position within [0, total - pageSize] whenever it moves it.
#pragma once

const int scrollArrowLength = 18;  // each arrow, along the bar
const unsigned scrollMinimumThumb = 9;

// The arrows' places inside a bar of width x height, in the bar's pixels.
struct DArrowPlace {
    int x = 0;
    int y = 0;
    int width = 0;
    int height = 0;
    int direction = 0;  // 0 up, 1 down, 2 left, 3 right
};
// A bar is horizontal when it is wider than high.
bool scrollBarIsHorizontal(int width, int height);
DArrowPlace scrollFirstArrowPlace(int width, int height);
DArrowPlace scrollSecondArrowPlace(int width, int height);

// Where a point along the bar falls.
enum DScrollHit { scrollHitBefore = 0, scrollHitThumb = 1, scrollHitAfter = 2 };

// The scroll state of one bar and the operations on it. The setters follow the bar's rules:
// the page never exceeds a non-zero total, the position never passes the last page.
struct DScrollModel {
    unsigned total = 0;
    unsigned position = 0;
    unsigned pageSize = 0;
    unsigned thumbLength = 18;
    unsigned thumbOffset = 0;
    int length = 0;  // pixels along the bar

    // The last position that still fills a page: total - pageSize, or 0 when the page
    // covers everything.
    unsigned maxPosition() const;
    // There is something to scroll: total and pageSize non-zero and different.
    bool isActive() const;

    void setLength(int pixels);  // recomputes the thumb
    void setTotal(unsigned n);
    void setPosition(unsigned n);
    void setPageSize(unsigned n);
    void updateThumb();        // length and offset
    void updateThumbOffset();  // offset only

    // What lies at `coordinate` (pixels along the bar). The thumb's far edge counts as on it.
    DScrollHit hit(int coordinate) const;
    // A click on the track outside the thumb: a page back before it, a page forward after it.
    void pageClick(int coordinate);
    // The position a thumb dragged to `coordinate` stands for, when the drag started
    // `grabOffset` pixels inside the thumb; clamped to [0, maxPosition()].
    unsigned dragPosition(int coordinate, int grabOffset) const;
    // One unit back or forward (not past either end); false when the bar has nothing to
    // scroll, in which case nothing changes.
    bool lineBack();
    bool lineForward();
};

// Thumb length for a bar of `length` pixels: the page's share of the track, at least 9.
unsigned scrollThumbLength(int length, unsigned total, unsigned pageSize);
// Thumb offset from the end of the first arrow, never beyond the end of the track.
unsigned scrollThumbOffset(int length, unsigned total, unsigned pageSize, unsigned position,
                           unsigned thumbLength);
