// The platform's standard animations, drawn here rather than loaded, for the animation control.
#pragma once

#include <QImage>
#include <QList>
#include <QSize>

namespace platform {

// A sheet of paper flying from one folder into another: 26 frames of 272 by 60 pixels on a
// transparent ground, meant to be played in a loop.
QList<QImage> copyFileAnimationFrames();

constexpr QSize copyFileFrameSize(272, 60);

// The frame interval the copy animation is meant to be played at, in milliseconds.
constexpr int copyFileFrameInterval = 70;

} // namespace platform
