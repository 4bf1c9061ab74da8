// Ending the program from the console. Kept apart because a granted request closes every window
// and leaves the event loop.
#include "ConsoleFixture.h"

class TestKavrinoExit : public QObject {
    Q_OBJECT
private slots:
    void quitCommandClosesTheWindows()
    {
        ConsoleFixture console;
        Form1->show();
        Form3->show();
        console.enter(QStringLiteral("dość"));
        QCOMPARE(Form1->Edit1->text(), QString()); // the handler finishes first
        QVERIFY(Form1->isVisible());
        QTRY_VERIFY(!Form1->isVisible());
        QVERIFY(!Form3->isVisible());
    }

    void quitMenuConfirmedClosesTheWindows()
    {
        ConsoleFixture console;
        Form1->show();
        console.dialogs.answerYesNo(true);
        Form1->Wyjcie2->trigger();
        QTRY_VERIFY(!Form1->isVisible());
        QCOMPARE(console.screen().size(), 3); // nothing appended
    }
};

QTEST_MAIN(TestKavrinoExit)
#include "tst_kavrino_exit.moc"
