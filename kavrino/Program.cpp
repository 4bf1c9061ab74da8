#include "kavrino/Program.h"

#include "kavrino/TurtlePictures.h"
#include "kavrino/Unit1.h"
#include "kavrino/Unit2.h"
#include "kavrino/Unit3.h"
#include "kavrino/Unit4.h"
#include "kavrino/Unit5.h"
#include "platform/Application.h"

#include <QApplication>

namespace kavrino {

void startProgram(platform::Application& application)
{
    platform::Application::setTitle(QStringLiteral("Kavrino"));
    QApplication::setWindowIcon(turtleIcon()); // every window carries the turtle
    application.createForm(Form1);
    application.createForm(Form3);
    application.createForm(AboutBox);
    application.createForm(Form4);
    application.createForm(OKBottomDlg);
}

} // namespace kavrino
