// The arithmetic of one turtle step, kept apart from the widget so that it can be tested alone.
// It reproduces the original program to the pixel: degrees become radians with pi taken as
// 3.14159, the angle is kept with a 40-bit significand, and the end point is rounded half to even.
// It is not the drawing surface: TZolw holds the turtle and its bitmap.
#pragma once

#include <QPoint>
#include <array>
#include <cstdint>

class QImage;

namespace kavrino {

// Sums of 32-bit integers that wrap around instead of overflowing.
std::int32_t wrappingAdd(std::int32_t a, std::int32_t b);
std::int32_t wrappingSubtract(std::int32_t a, std::int32_t b);

// The value rounded to the nearest number with a 40-bit significand, as a 6-byte real holds it.
long double roundToReal48(long double value);

// The heading in radians as the step uses it.
long double stepAngle(std::int32_t kat);

// The end of a step of `krok` pixels from (x, y) with heading `kat`; throws InvalidFloatOperation
// when a coordinate leaves the 32-bit range.
struct StepEnd {
    std::int32_t x;
    std::int32_t y;
    bool operator==(const StepEnd&) const = default;
};
StepEnd stepEnd(std::int32_t x, std::int32_t y, std::int32_t kat, std::int32_t krok);

// The same steps, remembering for each heading met lately (one per heading modulo 360) its sine
// and cosine and the move of its last step length: a drawing turns between a few headings, and
// the sine and cosine are most of the cost of a step.
class StepCache {
public:
    StepEnd stepEnd(std::int32_t x, std::int32_t y, std::int32_t kat, std::int32_t krok);

private:
    struct Entry {
        std::int32_t kat = 0;
        bool known = false;
        double sin = 0;
        double cos = 0;
        // The move of a step of `krok` from any position, when it does not depend on the position.
        bool moveKnown = false;
        std::int32_t krok = 0;
        std::int64_t dx = 0;
        std::int64_t dy = 0;
    };
    std::array<Entry, 360> entries_ {};
};

// Draws a one-pixel line from `from` towards `to` in `color`, leaving the end pixel itself unset,
// and clips whatever falls outside the image. The image must be 32 bits per pixel.
void drawLineExcludingEnd(QImage& image, QPoint from, QPoint to, std::uint32_t color);

} // namespace kavrino
