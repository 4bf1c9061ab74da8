// A timer with the rules the programs were written for: an interval in milliseconds, switched on
// and off by `setEnabled`, and no ticks at all while the interval is 0 or less.
#pragma once

#include <QObject>
#include <QTimer>

namespace platform {

class Timer : public QObject {
    Q_OBJECT
public:
    explicit Timer(QObject* parent = nullptr, int interval = 1000, bool enabled = true);

    int interval() const { return interval_; }
    void setInterval(int milliseconds);
    bool enabled() const { return enabled_; }
    void setEnabled(bool enabled);
    // True while ticks are actually coming: enabled with a positive interval.
    bool isRunning() const { return timer_.isActive(); }

signals:
    void tick();

private:
    void restart();

    QTimer timer_;
    int interval_;
    bool enabled_;
};

} // namespace platform
