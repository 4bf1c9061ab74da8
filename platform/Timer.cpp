#include "platform/Timer.h"

namespace platform {

Timer::Timer(QObject* parent, int interval, bool enabled) : QObject(parent), interval_(interval), enabled_(enabled)
{
    connect(&timer_, &QTimer::timeout, this, &Timer::tick);
    restart();
}

// Setting the value a timer already has changes nothing: a running timer is not restarted.
void Timer::setInterval(int milliseconds)
{
    if (milliseconds == interval_)
        return;
    interval_ = milliseconds;
    restart();
}

void Timer::setEnabled(bool enabled)
{
    if (enabled == enabled_)
        return;
    enabled_ = enabled;
    restart();
}

void Timer::restart()
{
    timer_.stop();
    // A zero-interval QTimer would fire on every pass of the event loop; here it never fires.
    if (enabled_ && interval_ > 0)
        timer_.start(interval_);
}

} // namespace platform

// Compiled here rather than in one shared object, so that a program links only the parts it uses.
#include "moc_Timer.cpp"
