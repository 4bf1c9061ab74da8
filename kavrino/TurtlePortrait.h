// The turtle of the about box, drawn in code: a 67 by 50 picture at 24 bits per pixel. Only the
// picture; the about box shows it.
#pragma once

#include <QImage>

namespace kavrino {

// Green turtle with red spots, black legs and a blue eye, walking right on a grey ground.
QImage turtlePortrait();

} // namespace kavrino
