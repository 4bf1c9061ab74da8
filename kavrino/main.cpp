// Kavrino: the turtle console. The windows and everything they do live in kavrino_lib.
#include "kavrino/Program.h"
#include "platform/Application.h"

#include <QApplication>

int main(int argc, char* argv[])
{
    QApplication qtApplication(argc, argv);
    platform::Application application;
    kavrino::startProgram(application);
    return application.run();
}
