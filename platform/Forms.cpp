#include "platform/Forms.h"

#include <QGuiApplication>
#include <QScreen>
#include <QWidget>

namespace platform {

void showForm(QWidget* form)
{
    form->show();
    form->raise();
    form->activateWindow();
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
