// The start-up baseline: the barest Qt widgets program, one empty maximised window, started and
// timed the same way as the programs it is compared with (scripts/measure-startup.sh).
#include <QApplication>
#include <QWidget>

int main(int argc, char* argv[])
{
    QApplication application(argc, argv);
    QWidget window;
    window.setWindowTitle(QStringLiteral("bare"));
    window.setWindowState(Qt::WindowMaximized);
    window.show();
    return QApplication::exec();
}
