#include "platform/AnimationControl.h"

#include <QPainter>

namespace platform {

AnimationControl::AnimationControl(QWidget* parent)
    : QWidget(parent)
    , frameTimer_(this, 100, false)
{
    connect(&frameTimer_, &Timer::tick, this, &AnimationControl::showNextFrame);
}

void AnimationControl::setFrames(QList<QImage> frames, int frameInterval)
{
    frames_ = std::move(frames);
    makeFrames_ = nullptr;
    current_ = 0;
    frameTimer_.setInterval(frameInterval);
    if (!frames_.isEmpty())
        resize(frames_.constFirst().size());
    updatePlaying();
    update();
}

void AnimationControl::setFrames(std::function<QList<QImage>()> makeFrames, QSize frameSize, int frameInterval)
{
    frames_.clear();
    makeFrames_ = std::move(makeFrames);
    current_ = 0;
    frameTimer_.setInterval(frameInterval);
    resize(frameSize);
    updatePlaying();
    update();
}

const QList<QImage>& AnimationControl::frames() const
{
    if (makeFrames_) {
        frames_ = makeFrames_();
        makeFrames_ = nullptr;
    }
    return frames_;
}

int AnimationControl::frameCount() const
{
    return static_cast<int>(frames().size());
}

void AnimationControl::setActive(bool active)
{
    active_ = active;
    updatePlaying();
}

void AnimationControl::showNextFrame()
{
    if (frames().isEmpty())
        return;
    current_ = (current_ + 1) % frameCount();
    update();
}

void AnimationControl::paintEvent(QPaintEvent*)
{
    if (frames().isEmpty())
        return;
    QPainter painter(this);
    painter.drawImage(0, 0, frames_.at(current_));
}

void AnimationControl::showEvent(QShowEvent*)
{
    updatePlaying();
}

void AnimationControl::hideEvent(QHideEvent*)
{
    updatePlaying();
}

void AnimationControl::updatePlaying()
{
    frameTimer_.setEnabled(active_ && isVisible() && frameCount() > 1);
}

} // namespace platform

// Compiled here rather than in one shared object, so that a program links only the parts it uses.
#include "moc_AnimationControl.cpp"
