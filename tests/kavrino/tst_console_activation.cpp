// What in the console rests on the window system's activation, focus and window titles. It runs
// offscreen with the other tests, and again on an X server (Xvfb) with the xcb platform, where
// activation comes later, a modal dialog takes it, and a title is a property of the X window.
#include "ConsoleFixture.h"
#include "platform/Forms.h"

#include <QGuiApplication>
#include <xcb/xcb.h>

namespace {

// A text property of a window as the X server holds it, for a window manager to read.
QByteArray x11Property(QWidget* window, const char* name)
{
    auto* x11 = qGuiApp->nativeInterface<QNativeInterface::QX11Application>();
    xcb_connection_t* connection = x11->connection();
    xcb_intern_atom_reply_t* atom
        = xcb_intern_atom_reply(connection, xcb_intern_atom(connection, 0, quint16(qstrlen(name)), name), nullptr);
    const xcb_atom_t property = atom ? atom->atom : xcb_atom_t { XCB_ATOM_NONE };
    free(atom);
    xcb_get_property_reply_t* reply = xcb_get_property_reply(connection,
        xcb_get_property(connection, 0, xcb_window_t(window->winId()), property, XCB_GET_PROPERTY_TYPE_ANY, 0, 1024),
        nullptr);
    QByteArray value;
    if (reply)
        value
            = QByteArray(static_cast<const char*>(xcb_get_property_value(reply)), xcb_get_property_value_length(reply));
    free(reply);
    return value;
}

} // namespace

class TestConsoleActivation : public QObject {
    Q_OBJECT

    std::unique_ptr<ConsoleFixture> console;

private slots:
    void init()
    {
        console = std::make_unique<ConsoleFixture>();
        platform::showForm(Form1); // activated as a window manager activates a new window
        QVERIFY(QTest::qWaitForWindowActive(Form1));
    }
    void cleanup() { console.reset(); }

    // Showing the print-progress dialog starts its bar even when the print dialog, opened at
    // once, takes the activation the dialog would have had.
    void printingRunsTheBarBehindAModalPrintDialog_data()
    {
        QTest::addColumn<bool>("fromMenu");
        QTest::addColumn<bool>("confirmed");
        QTest::newRow("drukuj, cancelled") << false << false;
        QTest::newRow("drukuj, confirmed") << false << true;
        QTest::newRow("menu, confirmed") << true << true;
    }
    void printingRunsTheBarBehindAModalPrintDialog()
    {
        QFETCH(bool, fromMenu);
        QFETCH(bool, confirmed);
        console->dialogs.showModalWindows(true);
        console->dialogs.answerPrinter(confirmed);
        if (fromMenu)
            Form1->N1->trigger();
        else
            console->enter(QStringLiteral("drukuj"));
        QCOMPARE(console->dialogs.count(testing::ShownDialog::Kind::Printer), 1);
        QVERIFY(OKBottomDlg->isVisible());
        QTRY_VERIFY(OKBottomDlg->Timer1->isRunning());
        QTRY_VERIFY(OKBottomDlg->ProgressBar1->value() >= 3);
        QCOMPARE(console->printer.target().ended, confirmed ? 1 : 0);
    }

    // Enter runs the line wherever the keyboard focus really is.
    void enterRunsTheLineWhereTheFocusIs_data()
    {
        QTest::addColumn<int>("control");
        QTest::newRow("input line") << 0;
        QTest::newRow("text screen") << 1;
        QTest::newRow("button") << 2;
    }
    void enterRunsTheLineWhereTheFocusIs()
    {
        QFETCH(int, control);
        QWidget* const controls[] = { Form1->Edit1, Form1->ListBox1, Form1->Button1 };
        ConsoleFixture::type(Form1->Edit1, QStringLiteral("pozy"));
        controls[control]->setFocus();
        QTRY_COMPARE(QApplication::focusWidget(), controls[control]);
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
        QCOMPARE(console->screen().mid(3), (QStringList { "Pozycja Y żółwia:", "0" }));
    }

    // The caption's empty step shows an empty title, not the application's name.
    void emptyCaptionIsEmptyOnTheServer()
    {
        if (QGuiApplication::platformName() != u"xcb")
            QSKIP("window titles are X window properties only on an X server");
        for (int tick = 0; tick < 8; ++tick)
            Form1->Timer1Timer();
        QCOMPARE(Form1->windowTitle(), QString());
        QCOMPARE(x11Property(Form1, "_NET_WM_NAME"), QByteArray());
        QCOMPARE(x11Property(Form1, "WM_NAME"), QByteArray());
        Form1->Timer1Timer();
        QCOMPARE(x11Property(Form1, "_NET_WM_NAME"), QByteArray("K"));
    }
};

QTEST_MAIN(TestConsoleActivation)
#include "tst_console_activation.moc"
