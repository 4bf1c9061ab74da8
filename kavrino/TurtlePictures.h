// The turtle's look, drawn in code: the four small pictures that show the turtle on the canvas,
// one per heading, and the program's icon.
#pragma once

#include <QIcon>
#include <QImage>

class QPainter;

namespace kavrino {

// White, opaque bitmaps: a narrow black triangle pointing the turtle's way, with a red line of
// 13 pixels in a black frame across its base.
QImage turtlePictureUp(); // heading 180, 15 by 18
QImage turtlePictureRight(); // heading 90, 24 by 16
QImage turtlePictureDown(); // heading 0, 16 by 24
QImage turtlePictureLeft(); // heading 270, 24 by 16

// The program's icon: a green turtle seen from above, head up, in a box of platform::iconGrid units.
void paintTurtleIcon(QPainter& painter);
QIcon turtleIcon();

} // namespace kavrino
