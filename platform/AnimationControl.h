// The animation control: plays a list of frames in a loop at a fixed frame interval while it is
// active and visible, and stands still otherwise, so that a hidden animation wakes nobody up.
// The frames come from its owner, for instance one of the platform's standard animations.
#pragma once

#include "platform/Timer.h"

#include <QImage>
#include <QList>
#include <QWidget>
#include <functional>

namespace platform {

class AnimationControl : public QWidget {
    Q_OBJECT
public:
    explicit AnimationControl(QWidget* parent = nullptr);

    // Replaces the frames, sizes the control to the first one and starts over at frame 1.
    void setFrames(QList<QImage> frames, int frameInterval);
    // The same with frames that are made only when first needed, so that an animation nobody has
    // seen yet costs nothing at start; `frameSize` sizes the control meanwhile.
    void setFrames(std::function<QList<QImage>()> makeFrames, QSize frameSize, int frameInterval);
    int frameCount() const;
    int frameInterval() const { return frameTimer_.interval(); }

    // Active: plays whenever the control is visible.
    void setActive(bool active);
    bool active() const { return active_; }
    // True while frames are actually being stepped.
    bool playing() const { return frameTimer_.isRunning(); }

    // The frame shown, counted from 1.
    int currentFrame() const { return current_ + 1; }
    // One step, from the last frame back to the first.
    void showNextFrame();

protected:
    void paintEvent(QPaintEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void hideEvent(QHideEvent* event) override;

private:
    void updatePlaying();

    const QList<QImage>& frames() const;

    mutable QList<QImage> frames_;
    mutable std::function<QList<QImage>()> makeFrames_;
    int current_ = 0;
    bool active_ = false;
    Timer frameTimer_;
};

} // namespace platform
