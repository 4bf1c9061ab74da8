// The fixed tables of the console's main window, kept free of widgets: the caption animation and
// the numbers the "kursor" command accepts.
#pragma once

#include <QString>
#include <cstdint>
#include <optional>

namespace kavrino {

// One tick of the caption animation: the counter after the tick and the caption to show.
struct CaptionStep {
    std::int32_t tick;
    QString caption;
};
// Counts `tick` on by one and picks the caption for the new value. The cycle is 8 ticks and skips
// the three-letter prefix; the caption is empty on the eighth tick.
CaptionStep nextCaption(std::int32_t tick, const QString& title);

// The screen cursor value for a typed cursor number: exactly "1" to "22" give 0 to -21; any other
// text (blanks, leading zeros, signs included) gives nothing.
std::optional<int> cursorValueForLine(const QString& line);

} // namespace kavrino
