#include "platform/Forms.h"

#include <QCoreApplication>
#include <QGuiApplication>
#include <QScreen>
#include <QWidget>

namespace platform {

void showForm(QWidget* form)
{
    const bool wasActive = form->isVisible() && form->isActiveWindow();
    form->show();
    form->raise();
    form->activateWindow();
    if (!wasActive) {
        QEvent activation(formActivationEvent());
        QCoreApplication::sendEvent(form, &activation);
    }
}

QEvent::Type formActivationEvent()
{
    static const auto type = static_cast<QEvent::Type>(QEvent::registerEventType());
    return type;
}

void centreOnScreen(QWidget* form)
{
    const QScreen* screen = form->screen() ? form->screen() : QGuiApplication::primaryScreen();
    if (!screen)
        return;
    QRect frame = form->frameGeometry();
    frame.moveCenter(screen->availableGeometry().center());
    form->move(frame.topLeft());
}

} // namespace platform
