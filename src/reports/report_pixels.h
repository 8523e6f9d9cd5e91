#pragma once

#include "reports/report_page_model.h"

#include <algorithm>

// Device positions of a report. Coordinates come from the server's data, so
// they are kept within a range where adding two of them cannot overflow,
// far beyond any page.
namespace report_pixels {

inline constexpr int kLimit = 1 << 28;

inline int Clamp(long long value)
{
    return static_cast<int>(std::clamp<long long>(value, -kLimit, kLimit));
}

inline int Add(int a, int b)
{
    return Clamp(static_cast<long long>(a) + b);
}

// Design units as device pixels at `scale`, halves to even.
inline int Scaled(double units, double scale)
{
    return Clamp(RoundEven(units * scale));
}

} // namespace report_pixels
