// DColor: one colour as a GDI colour reference (red in the lowest byte, then green, then
// blue, top byte 0). A plain value: copied freely, owns nothing. Needs no platform calls, so
// gradients and theme colours can be worked out and tested anywhere.
#pragma once

#include "foundation/DObject.h"

#include <cstdint>

class DColor : public DObject {
public:
    DColor() : ref(0) {}
    explicit DColor(uint32_t colorRef) : ref(colorRef & 0xFFFFFFu) {}
    DColor(const DColor& other) = default;
    // Each channel is taken modulo 256.
    DColor(int red, int green, int blue);
    DColor& operator=(const DColor& other) = default;

    int red() const { return int(ref & 0xFF); }
    int green() const { return int((ref >> 8) & 0xFF); }
    int blue() const { return int((ref >> 16) & 0xFF); }
    uint32_t value() const { return ref; }

    bool operator==(const DColor& other) const { return ref == other.ref; }
    bool operator!=(const DColor& other) const { return ref != other.ref; }

    // The colour `step` steps of `steps` along the way from this colour to `target`; a step
    // at or past the last one gives the target itself. Ratios are worked out in single
    // precision, so gradients match pixel for pixel wherever they are drawn.
    DColor blend(const DColor& target, int steps, int step) const;

private:
    uint32_t ref;
};
