// DScale: how the units views, window sizes and canvas coordinates are given in (pixels of a
// display of 96 dots per inch) become device pixels on a display of `dpi` dots per inch, and
// back. One rule for every conversion, so the pieces drawn by different views meet without a
// gap or an overlap:
//
// - a unit edge v lies on device pixel edge toDevice(v) = v x dpi / 96, halves rounded up;
//   unit u covers the device pixels from toDevice(u) up to toDevice(u + 1), so a rectangle
//   of units covers exactly the device pixels between its two edges (toDeviceSpan);
// - a device point (a mouse position) belongs to the unit whose pixels hold it (toUnits),
//   which takes every point of a view's device pixels back into the view's units;
// - a device length measured on the display (the width of a text) becomes enough units to
//   hold it (lengthToUnits, rounded up), so a place made that wide holds the text.
//
// Portable: no platform calls. Every value is worked out in 64 bits and kept within int.
#pragma once

const int baseDpi = 96;

class DScale {
public:
    DScale() = default;
    // A dpi below 1 stands for the base 96.
    explicit DScale(int dotsPerInch);

    int dpi() const { return dotsPerInch; }
    bool isBase() const { return dotsPerInch == baseDpi; }
    bool operator==(const DScale& other) const { return dotsPerInch == other.dotsPerInch; }
    bool operator!=(const DScale& other) const { return dotsPerInch != other.dotsPerInch; }

    // The device pixel edge of unit edge `v`.
    int toDevice(int v) const;
    // The device pixels between unit edges `start` and `start + length`: the device size of
    // something placed at `start`. Within one pixel of `length` x dpi / 96 wherever it sits.
    int toDeviceSpan(int start, int length) const;
    // The unit whose device pixels hold device pixel `d`: the largest u with toDevice(u) <= d.
    int toUnits(int d) const;
    // A measured device length in units, rounded up; 0 and below stay as they are.
    int lengthToUnits(int d) const;

private:
    int dotsPerInch = baseDpi;
};
