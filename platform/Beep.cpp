#include "platform/Beep.h"

#include <QApplication>

namespace platform {

namespace {
std::function<void()> installedHandler;
}

void beep()
{
    if (installedHandler)
        installedHandler();
    else
        QApplication::beep();
}

void setBeepHandler(std::function<void()> handler)
{
    installedHandler = std::move(handler);
}

} // namespace platform
