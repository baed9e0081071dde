// Window and view geometry that needs no platform calls: the size of a window's outer
// rectangle for a given client size, the centring rule, and the view hit test. All values
// are pixels; frame metrics are passed in by the caller (the system's metrics on Windows).
#pragma once

// What kind of native window a DWindow is, for frame arithmetic.
enum class DWindowKind { child, frameless, captioned };

struct DFrameMetrics {
    int frameWidth = 0;     // one side's frame width
    int frameHeight = 0;    // one side's frame height
    int captionHeight = 0;  // the caption bar
};

struct DSize {
    int width = 0;
    int height = 0;
};

struct DPoint {
    int x = 0;
    int y = 0;
};

// The outer size of a window with the given client size. Child and frameless windows have
// no frame; a captioned window adds both frame sides and the caption.
DSize outerSize(DWindowKind kind, const DFrameMetrics& metrics, int clientWidth, int clientHeight);

// Top-left corner that centres an item of the given size in an area; each half is
// truncated toward zero, so an item larger than the area gets a negative position.
DPoint centeredPosition(int areaWidth, int areaHeight, int width, int height);

// Whether the point (px, py) lies in the rectangle at (x, y) of the given size. Both far
// edges count as inside: a click on the pixel line x + width still hits the view.
bool containsPoint(int x, int y, int width, int height, int px, int py);
