// Kavrino: the turtle console. The windows and everything they do live in kavrino_lib.
#include "kavrino/Zolw.h"
#include "platform/Application.h"

#include <QApplication>

int main(int argc, char* argv[])
{
    QApplication qtApplication(argc, argv);
    platform::Application application;
    platform::Application::setTitle(QStringLiteral("Kavrino"));
    TZolw* canvas = nullptr;
    application.createForm(canvas);
    return application.run();
}
