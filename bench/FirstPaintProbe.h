// Prints "first-paint <nanoseconds since the epoch>" when a window or one of its children is first
// painted, then ends the program once that paint is done.
#pragma once

#include <QCoreApplication>
#include <QEvent>
#include <QTimer>
#include <QWidget>
#include <chrono>
#include <cstdio>

class FirstPaintProbe : public QObject {
public:
    explicit FirstPaintProbe(QWidget* window)
        : window_(window)
    {
        qApp->installEventFilter(this);
    }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (!done_ && event->type() == QEvent::Paint) {
            auto* widget = qobject_cast<QWidget*>(watched);
            if (widget && widget->window() == window_) {
                done_ = true;
                QTimer::singleShot(0, qApp, [] {
                    const auto now = std::chrono::system_clock::now().time_since_epoch();
                    std::printf("first-paint %lld\n",
                        static_cast<long long>(std::chrono::duration_cast<std::chrono::nanoseconds>(now).count()));
                    std::fflush(stdout);
                    QCoreApplication::exit(0);
                });
            }
        }
        return false;
    }

private:
    QWidget* window_;
    bool done_ = false;
};
