#include "kavrino/TurtleMath.h"

#include "platform/Errors.h"

#include <QImage>
#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <cstring>
#include <limits>
#include <optional>

namespace kavrino {

std::int32_t wrappingAdd(std::int32_t a, std::int32_t b)
{
    return static_cast<std::int32_t>(static_cast<std::uint32_t>(a) + static_cast<std::uint32_t>(b));
}

std::int32_t wrappingSubtract(std::int32_t a, std::int32_t b)
{
    return static_cast<std::int32_t>(static_cast<std::uint32_t>(a) - static_cast<std::uint32_t>(b));
}

long double roundToReal48(long double value)
{
    if (value == 0 || !std::isfinite(value))
        return value;
    if constexpr (std::numeric_limits<long double>::digits == 64) {
        // Adding 1.5 * 2^(e + 24), for a value below 2^(e + 1), leaves it 40 significant bits in a
        // 64-bit significand, and the rounding mode rounds it half to even; taking the same away
        // again is exact. The value as a double gives e, or e + 1 where it rounds up to a power of
        // two, which the coarser rounding then gives as well.
        const double approximation = static_cast<double>(value);
        std::uint64_t bits = 0;
        std::memcpy(&bits, &approximation, sizeof bits);
        const auto biasedExponent = static_cast<int>((bits >> 52) & 0x7ff);
        if (biasedExponent != 0 && biasedExponent + 24 < 0x7ff) {
            const std::uint64_t shiftBits = (std::uint64_t(biasedExponent + 24) << 52) | (std::uint64_t { 1 } << 51);
            double shift = 0;
            std::memcpy(&shift, &shiftBits, sizeof shift);
            const long double extendedShift = shift;
            return (value + extendedShift) - extendedShift;
        }
    }
    int exponent = 0;
    const long double fraction = std::frexp(value, &exponent); // 0.5 <= |fraction| < 1
    // rint rounds half to even in the default rounding mode.
    return std::ldexp(std::rint(std::ldexp(fraction, 40)), exponent - 40);
}

long double stepAngle(std::int32_t kat)
{
    const std::int32_t difference = wrappingSubtract(180, kat);
    return roundToReal48(static_cast<long double>(difference) * 3.14159L / 180.0L);
}

namespace {

std::int32_t roundToInt32(long double value)
{
    const long double rounded = std::rint(value);
    if (!(rounded >= INT32_MIN && rounded <= INT32_MAX))
        throw platform::InvalidFloatOperation();
    return static_cast<std::int32_t>(rounded);
}

// The step as the original computes it: extended precision throughout.
StepEnd extendedStepEnd(std::int32_t x, std::int32_t y, std::int32_t kat, std::int32_t krok)
{
    const long double angle = stepAngle(kat);
    const std::int32_t newY = roundToInt32(static_cast<long double>(y) - krok * std::cos(angle));
    const std::int32_t newX = roundToInt32(static_cast<long double>(x) + krok * std::sin(angle));
    return { newX, newY };
}

// Adding and taking away 1.5 * 2^52 rounds a double below 2^51 to the nearest integer, ties to even.
double nearestInteger(double value)
{
    constexpr double shift = 0x1.8p52;
    return (value + shift) - shift;
}

// Whether rounding `value` is safe from errors up to `margin`: it lies no nearer to a half.
bool roundsClearly(double value, double margin)
{
    return 0.5 - std::fabs(value - nearestInteger(value)) > margin;
}

// Double precision lands on the same integers as extended precision unless the exact value lies
// next to a half. The sine and cosine are within an ulp of the truth in both precisions, and each
// product and sum adds half an ulp; the margin, for a step of `length` from a coordinate of at
// most `reach`, allows a thousand times that.
double roundingMargin(double length, double reach)
{
    return (2 * std::fabs(length) + reach + 1) * 0x1p-40;
}

// The end of the step in double precision from the heading's sine and cosine, or nothing where it
// might differ from the extended computation.
std::optional<StepEnd> doubleStepEnd(std::int32_t x, std::int32_t y, std::int32_t krok, double sin, double cos)
{
    const double length = krok;
    const double newY = y - length * cos;
    const double newX = x + length * sin;
    const double margin = roundingMargin(length, std::max(std::fabs(double(x)), std::fabs(double(y))));
    constexpr double limit = 2'000'000'000.0; // nearer the ends of the range the extended way decides
    if (std::fabs(newY) < limit && std::fabs(newX) < limit && roundsClearly(newY, margin)
        && roundsClearly(newX, margin))
        return StepEnd { static_cast<std::int32_t>(nearestInteger(newX)),
            static_cast<std::int32_t>(nearestInteger(newY)) };
    return std::nullopt;
}

struct Direction {
    double sin;
    double cos;
};

Direction direction(std::int32_t kat)
{
    // The angle's 40-bit significand fits a double exactly.
    const double angle = static_cast<double>(stepAngle(kat));
    return { std::sin(angle), std::cos(angle) };
}

} // namespace

StepEnd stepEnd(std::int32_t x, std::int32_t y, std::int32_t kat, std::int32_t krok)
{
    const Direction d = direction(kat);
    if (const std::optional<StepEnd> end = doubleStepEnd(x, y, krok, d.sin, d.cos))
        return *end;
    return extendedStepEnd(x, y, kat, krok);
}

StepEnd StepCache::stepEnd(std::int32_t x, std::int32_t y, std::int32_t kat, std::int32_t krok)
{
    const std::int32_t slot = kat % 360;
    Entry& entry = entries_[static_cast<std::size_t>(slot < 0 ? slot + 360 : slot)];
    if (!entry.known || entry.kat != kat) {
        const Direction d = direction(kat);
        entry = Entry { kat, true, d.sin, d.cos };
    }
    if (!entry.moveKnown || entry.krok != krok) {
        // From an integer position the rounding depends only on the fraction of the move, so a move
        // clear of a half from every position in the 32-bit range is the same from all of them.
        const double length = krok;
        const double margin = roundingMargin(length, 0x1p31);
        const double moveX = length * entry.sin;
        const double moveY = -length * entry.cos;
        entry.moveKnown = roundsClearly(moveX, margin) && roundsClearly(moveY, margin);
        entry.krok = krok;
        entry.dx = static_cast<std::int64_t>(nearestInteger(moveX));
        entry.dy = static_cast<std::int64_t>(nearestInteger(moveY));
    }
    if (entry.moveKnown) {
        const std::int64_t newX = x + entry.dx;
        const std::int64_t newY = y + entry.dy;
        if (newX >= INT32_MIN && newX <= INT32_MAX && newY >= INT32_MIN && newY <= INT32_MAX)
            return { static_cast<std::int32_t>(newX), static_cast<std::int32_t>(newY) };
    } else if (const std::optional<StepEnd> end = doubleStepEnd(x, y, krok, entry.sin, entry.cos)) {
        return *end;
    }
    return extendedStepEnd(x, y, kat, krok);
}

namespace {

using Wide = __int128;

// Rounded (numerator / denominator) for a positive denominator, halves away from the start.
Wide roundedQuotient(Wide numerator, Wide denominator)
{
    const Wide twice = 2 * numerator + (numerator >= 0 ? denominator : -denominator);
    return twice / (2 * denominator);
}

// A line whose both ends lie inside the image: every pixel between them does too.
void drawInside(QImage& image, QPoint from, QPoint to, std::uint32_t color)
{
    const int dx = to.x() - from.x();
    const int dy = to.y() - from.y();
    const bool alongX = std::abs(dx) >= std::abs(dy);
    const int length = alongX ? std::abs(dx) : std::abs(dy);
    const int minor = alongX ? std::abs(dy) : std::abs(dx);
    const qsizetype stride = image.bytesPerLine() / 4;
    const qsizetype stepX = dx >= 0 ? 1 : -1;
    const qsizetype stepY = dy >= 0 ? stride : -stride;
    const qsizetype majorStep = alongX ? stepX : stepY;
    const qsizetype minorStep = alongX ? stepY : stepX;

    // The same rounding as below, halves away from the start, counted in halves of a pixel.
    auto* pixel = reinterpret_cast<std::uint32_t*>(image.bits()) + from.y() * stride + from.x();
    const int twiceLength = 2 * length;
    const int increment = 2 * minor;
    int remainder = length;
    for (int step = 0; step < length; ++step) {
        *pixel = color;
        pixel += majorStep;
        remainder += increment;
        if (remainder >= twiceLength) {
            remainder -= twiceLength;
            pixel += minorStep;
        }
    }
}

} // namespace

void drawLineExcludingEnd(QImage& image, QPoint from, QPoint to, std::uint32_t color)
{
    const auto inImage = [width = image.width(), height = image.height()](
                             QPoint p) { return p.x() >= 0 && p.y() >= 0 && p.x() < width && p.y() < height; };
    if (inImage(from) && inImage(to)) {
        drawInside(image, from, to, color);
        return;
    }

    const std::int64_t dx = std::int64_t { to.x() } - from.x();
    const std::int64_t dy = std::int64_t { to.y() } - from.y();
    if (dx == 0 && dy == 0)
        return;

    // Walk the longer axis one pixel at a time; the other coordinate is the rounded line through
    // both ends. Only the steps that land inside the image are visited, so a line millions of
    // pixels long costs no more than the part of it that shows.
    const bool alongX = std::llabs(dx) >= std::llabs(dy);
    const std::int64_t major = alongX ? dx : dy;
    const std::int64_t minor = alongX ? dy : dx;
    const std::int64_t majorStart = alongX ? from.x() : from.y();
    const std::int64_t minorStart = alongX ? from.y() : from.x();
    const std::int64_t majorLimit = alongX ? image.width() : image.height();
    const std::int64_t minorLimit = alongX ? image.height() : image.width();
    const std::int64_t direction = major > 0 ? 1 : -1;
    const std::int64_t length = std::llabs(major); // steps 0 .. length-1: the end is left out

    // Steps whose major coordinate lies inside the image.
    std::int64_t first = 0;
    std::int64_t last = length - 1;
    const std::int64_t enter = direction > 0 ? -majorStart : majorStart - (majorLimit - 1);
    const std::int64_t leave = direction > 0 ? majorLimit - 1 - majorStart : majorStart;
    first = std::max(first, enter);
    last = std::min(last, leave);
    if (first > last)
        return;

    const auto minorAt = [&](std::int64_t step) {
        return minorStart + static_cast<std::int64_t>(roundedQuotient(Wide { step } * minor, std::llabs(major)));
    };
    // The minor coordinate moves monotonically with the step, so the steps inside the image on
    // that axis form one range too; narrow [first, last] to it by bisection.
    const auto inside = [&](std::int64_t step) {
        const std::int64_t m = minorAt(step);
        return m >= 0 && m < minorLimit;
    };
    const auto beforeRange = [&](std::int64_t step) {
        const std::int64_t m = minorAt(step);
        return minor >= 0 ? m < 0 : m >= minorLimit;
    };
    std::int64_t low = first, high = last + 1;
    while (low < high) {
        const std::int64_t middle = low + (high - low) / 2;
        if (beforeRange(middle))
            low = middle + 1;
        else
            high = middle;
    }
    first = low;
    low = first;
    high = last + 1;
    while (low < high) {
        const std::int64_t middle = low + (high - low) / 2;
        if (inside(middle))
            low = middle + 1;
        else
            high = middle;
    }
    last = low - 1;

    // From the first visible step on, the minor coordinate follows incrementally: the exact
    // offset is t / (2 * length) with t growing by 2 * minor each step.
    const std::int64_t twiceLength = 2 * length;
    const Wide start = 2 * Wide { first } * minor + (minor >= 0 ? length : -length);
    std::int64_t offset = static_cast<std::int64_t>(start / twiceLength);
    std::int64_t remainder = static_cast<std::int64_t>(start % twiceLength);
    const std::int64_t increment = 2 * minor;

    const qsizetype stride = image.bytesPerLine() / 4;
    auto* pixels = reinterpret_cast<std::uint32_t*>(image.bits());
    std::int64_t a = majorStart + direction * first;
    for (std::int64_t step = first; step <= last; ++step, a += direction) {
        const std::int64_t b = minorStart + offset;
        const std::int64_t px = alongX ? a : b;
        const std::int64_t py = alongX ? b : a;
        pixels[py * stride + px] = color;
        remainder += increment;
        if (remainder >= twiceLength) {
            remainder -= twiceLength;
            ++offset;
        } else if (remainder <= -twiceLength) {
            remainder += twiceLength;
            --offset;
        }
    }
}

} // namespace kavrino
