// DScrollBar: a horizontal or vertical scroll bar made of a track, a thumb and two DSBArrow
// children (up/left first, down/right second). It scrolls `total` units, `pageSize` of them
// visible at once, from `position`; a bar wider than high is horizontal. The arrows, the
// wheel, clicks on the track (a page at a time) and dragging the thumb move the position,
// and every such move is reported to the parent as a changed notification (kind 10, a = 1);
// setting the values from code reports nothing. A bar with nothing to scroll (total or page
// zero, or the page covering the total) is inactive: no thumb, arrows disabled.
// Coordinates are the bar's own pixels. The arrows are child views, owned through the view
// tree; the geometry lives in a DScrollModel (ScrollBarGeometry.h).
#pragma once

#include "controls/ScrollBarGeometry.h"
#include "framework/DTheme.h"
#include "framework/DView.h"

class DSBArrow;

class DScrollBar : public DView {
public:
    DScrollBar() = default;

    bool create(int x, int y, int width, int height);

    void setTotal(unsigned n);
    void setPosition(unsigned n);
    void setPageSize(unsigned n);
    unsigned getTotal() const { return model.total; }
    unsigned getPosition() const { return model.position; }
    unsigned getPageSize() const { return model.pageSize; }
    // The last position that still fills a page (0 when the page covers the total).
    unsigned getLastPosition() const { return model.maxPosition(); }
    bool isInactive() const { return !model.isActive(); }
    bool isHorizontal() const { return horizontal; }
    unsigned getThumbLength() const { return model.thumbLength; }
    unsigned getThumbOffset() const { return model.thumbOffset; }
    DThemeState getThumbState() const { return thumbState; }
    bool isDragging() const { return draggingThumb; }
    DSBArrow* getFirstArrow() const { return firstArrow; }
    DSBArrow* getSecondArrow() const { return secondArrow; }

    // One unit back (up/left) or forward (down/right), reported as a change; nothing when
    // the bar is disabled or has nothing to scroll.
    void lineUp();
    void lineDown();

    void paint() override;
    void mouseLeave() override;
    bool mouseMove(int x, int y, int mods) override;
    bool leftButtonDown(int x, int y, int mods) override;
    bool leftButtonUp(int x, int y, int mods) override;
    bool wheelUp(int x, int y, int mods) override;
    bool wheelDown(int x, int y, int mods) override;
    bool childLeftButtonDown(DView* sender, int x, int y, int mods) override;
    bool childLeftButtonUp(DView* sender, int x, int y, int mods) override;
    bool childWheelUp(DView* sender, int x, int y, int mods) override;
    bool childWheelDown(DView* sender, int x, int y, int mods) override;
    // A new size may turn the bar round: the arrows move and turn, the thumb is recomputed.
    void resized(int newWidth, int newHeight) override;
    // A scroll bar whose value is its position; its arrows are not shown to screen readers.
    DAccessibleInfo accessibleInfo() const override;

private:
    int along(int px, int py) const { return horizontal ? px : py; }
    void placeArrows();
    // Enables or disables the arrows to match whether there is anything to scroll.
    void updateActivity();
    void setThumbState(DThemeState newState);

    DSBArrow* firstArrow = nullptr;   // not owned: a child view
    DSBArrow* secondArrow = nullptr;  // not owned: a child view
    DThemeState thumbState = DStateNormal;  // hot while the pointer is over the thumb
    bool draggingThumb = false;
    int grabOffset = 0;               // where inside the thumb the drag started
    bool horizontal = false;
    bool arrowsEnabled = false;
    DScrollModel model;
};
