// A program's icon painted in code: one drawing in a box of iconGrid by iconGrid units, scaled to
// each size, serves the window icon and the icons installed for the desktop's menu alike. Not a
// theme lookup: the icon never comes from a file.
#pragma once

#include <QIcon>
#include <QImage>

class QPainter;

namespace platform {

constexpr int iconGrid = 32;

// Paints the icon on a transparent box of iconGrid by iconGrid units.
using IconPainting = void (*)(QPainter& painter);

// The pixel sizes of the menu's icon theme, 16 to 256.
const QList<int>& iconSizes();

// The painting at size by size pixels on a transparent background.
QImage paintIcon(IconPainting painting, int size);

// The painting at the sizes a window and a task bar show, up to 64 pixels: every size goes to the
// window system with each window, so the large ones stay with the menu's theme.
QIcon iconFromPainting(IconPainting painting);

} // namespace platform
