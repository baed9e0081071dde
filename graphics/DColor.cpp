#include "graphics/DColor.h"

#include <cmath>
#include <cstdlib>

namespace {

// Truncates toward zero and wraps into a byte. Values far outside the int range (only
// possible with a negative step) are clamped first, so the conversion is always defined.
int truncatedByte(float value)
{
    if (!(value > -2147483648.0f)) value = -2147483648.0f;  // also catches NaN
    if (value >= 2147483647.0f) value = 2147483647.0f;
    long long whole = static_cast<long long>(value);
    return int(whole & 0xFF);
}

int blendChannel(int start, int target, int steps, int step)
{
    float ratio = float(std::abs(target - start)) / float(steps);
    float delta = float(step) * ratio;
    if (start < target) {
        int v = truncatedByte(float(start) + delta);
        return v < target ? v : target;
    }
    int v = truncatedByte(float(start) - delta);
    return v > target ? v : target;
}

}  // namespace

DColor::DColor(int red, int green, int blue)
    : ref(uint32_t(red & 0xFF) | (uint32_t(green & 0xFF) << 8) | (uint32_t(blue & 0xFF) << 16))
{
}

DColor DColor::blend(const DColor& target, int steps, int step) const
{
    if (step > steps) steps = step;
    if (step == steps) return target;
    // A zero total is left only with a negative step: nothing to move along, keep the start.
    if (steps == 0) return *this;
    return DColor(blendChannel(red(), target.red(), steps, step),
                  blendChannel(green(), target.green(), steps, step),
                  blendChannel(blue(), target.blue(), steps, step));
}
