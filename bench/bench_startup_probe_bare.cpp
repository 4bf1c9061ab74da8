// Start-up baseline: the barest Qt widgets program, one empty maximised window, printing the
// wall-clock time of its first paint and then leaving.
#include "FirstPaintProbe.h"

#include <QApplication>
#include <QWidget>

int main(int argc, char* argv[])
{
    QApplication application(argc, argv);
    QWidget window;
    window.setWindowTitle(QStringLiteral("bare"));
    window.setWindowState(Qt::WindowMaximized);
    FirstPaintProbe probe(&window);
    window.show();
    return QApplication::exec();
}
