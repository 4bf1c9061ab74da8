#include "platform/Application.h"

#include <QApplication>
#include <QTimer>

namespace platform {

namespace {
QString helpFileName;
QString applicationTitle;
} // namespace

Application::Application()
{
    // Menus stay in their windows, where the layouts put them, rather than moving to a desktop's
    // global menu; and the start does not wait on the session bus to ask whether there is one.
    QCoreApplication::setAttribute(Qt::AA_DontUseNativeMenuBar);
}

Application::~Application()
{
    // Later windows may refer to earlier ones, so they go first.
    for (auto it = forms_.rbegin(); it != forms_.rend(); ++it)
        delete *it;
}

void Application::setTitle(const QString& title)
{
    // Not the display name: on X11 Qt appends that to every window caption ("K — Kavrino").
    applicationTitle = title;
    QCoreApplication::setApplicationName(title);
}

QString Application::title()
{
    return applicationTitle.isEmpty() ? QCoreApplication::applicationName() : applicationTitle;
}

void Application::setHelpFile(const QString& fileName)
{
    helpFileName = fileName;
}

QString Application::helpFile()
{
    return helpFileName;
}

QWidget* Application::mainForm() const
{
    return forms_.empty() ? nullptr : forms_.front();
}

void Application::adopt(QWidget* form)
{
    forms_.push_back(form);
}

int Application::run()
{
    if (QWidget* main = mainForm()) {
        // Closing the main window ends the program even while other windows are open.
        main->setAttribute(Qt::WA_QuitOnClose, true);
        for (QWidget* form : forms_)
            if (form != main)
                form->setAttribute(Qt::WA_QuitOnClose, false);
        main->show();
    }
    return QApplication::exec();
}

void Application::terminate()
{
    // Queued, so that the handler that asked finishes first.
    QTimer::singleShot(0, qApp, [] {
        QApplication::closeAllWindows();
        QCoreApplication::quit();
    });
}

} // namespace platform
