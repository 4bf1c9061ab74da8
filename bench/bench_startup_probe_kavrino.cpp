// Start-up probe: the console started exactly as its main() does, printing the wall-clock time
// when its main window is first painted and then leaving. scripts/bench-idle-startup.sh compares
// it with bench_startup_probe_bare.
#include "kavrino/Program.h"
#include "platform/Application.h"

#include "FirstPaintProbe.h"

#include <QApplication>

int main(int argc, char* argv[])
{
    QApplication qtApplication(argc, argv);
    platform::Application application;
    kavrino::startProgram(application);
    FirstPaintProbe probe(application.mainForm());
    return application.run();
}
