#include "graphics/DisplayScale.h"

#include <climits>

namespace {

// Division rounding toward minus infinity, for a positive divisor: unit edges left of or
// above the origin round the same way as those right of or below it.
long long floorDivide(long long a, long long b)
{
    long long q = a / b;
    if (a % b != 0 && a < 0)
        --q;
    return q;
}

int clampToInt(long long v)
{
    if (v > INT_MAX)
        return INT_MAX;
    if (v < INT_MIN)
        return INT_MIN;
    return static_cast<int>(v);
}

}  // namespace

DScale::DScale(int dpi) : dotsPerInch(dpi < 1 ? baseDpi : dpi)
{
}

int DScale::toDevice(int v) const
{
    return clampToInt(floorDivide(static_cast<long long>(v) * dotsPerInch + baseDpi / 2, baseDpi));
}

int DScale::toDeviceSpan(int start, int length) const
{
    const long long end = static_cast<long long>(start) + length;
    const long long startEdge =
        floorDivide(static_cast<long long>(start) * dotsPerInch + baseDpi / 2, baseDpi);
    const long long endEdge = floorDivide(end * dotsPerInch + baseDpi / 2, baseDpi);
    return clampToInt(endEdge - startEdge);
}

int DScale::toUnits(int d) const
{
    // toDevice(u) <= d exactly when u x dpi < 96 d + 48, that is u <= (96 d + 47) / dpi.
    return clampToInt(
        floorDivide(static_cast<long long>(d) * baseDpi + baseDpi / 2 - 1, dotsPerInch));
}

int DScale::lengthToUnits(int d) const
{
    if (d <= 0)
        return d;
    return clampToInt(floorDivide(static_cast<long long>(d) * baseDpi + dotsPerInch - 1,
                                  dotsPerInch));
}
