// The font faces the programs were laid out in do not exist on Linux. This is the one place that
// says which installed face stands in for each, chosen to look alike at the same pixel heights.
#pragma once

#include <QFont>
#include <QString>

namespace platform {

// A font of the named face with a character height of `pixels` (the em height, as a negative
// font height gives it).
QFont fontWithPixelHeight(const QString& face, int pixels);

// A font of the named face at `points` points on a 96 dots-per-inch screen.
QFont fontWithPoints(const QString& face, int points);

// The character height in pixels of `points` points on a 96 dots-per-inch screen.
int pixelsForPoints(int points);

// The default window font: "MS Sans Serif", 8 points.
QFont defaultWindowFont();

// The installed faces tried, in order, for `face`.
QStringList substituteFaces(const QString& face);

} // namespace platform
