#include "kavrino/Unit5.h"
#include "platform/Application.h"
#include "platform/ErrorReport.h"
#include "platform/Forms.h"
#include "support/RecordingPrinter.h"
#include "support/ScriptedDialogs.h"

#include <QApplication>
#include <QScreen>
#include <QTest>
#include <QTimer>
#include <memory>

namespace {

void tick(int times)
{
    for (int i = 0; i < times; ++i)
        OKBottomDlg->Timer1Timer();
}

} // namespace

class TestPrintProgress : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { platform::Application::setTitle(QStringLiteral("Kavrino")); }

    void init()
    {
        dialogs = std::make_unique<testing::ScriptedDialogs>();
        printer = std::make_unique<testing::RecordingPrinter>();
        OKBottomDlg = new TOKBottomDlg;
    }

    void cleanup()
    {
        delete OKBottomDlg;
        OKBottomDlg = nullptr;
        printer.reset();
        dialogs.reset();
    }

    void createdHiddenAndStill()
    {
        QVERIFY(!OKBottomDlg->isVisible());
        QCOMPARE(OKBottomDlg->Timer1->interval(), 100);
        QVERIFY(!OKBottomDlg->Timer1->enabled());
        QCOMPARE(OKBottomDlg->ProgressBar1->minimum(), 0);
        QCOMPARE(OKBottomDlg->ProgressBar1->maximum(), 100);
        QCOMPARE(OKBottomDlg->ProgressBar1->value(), 0);
        QCOMPARE(OKBottomDlg->Animate1->frameCount(), 26);
        QVERIFY(!OKBottomDlg->Animate1->playing());
        // A late activation of a window that is no longer shown starts no hidden run.
        QEvent activation(QEvent::WindowActivate);
        QApplication::sendEvent(OKBottomDlg, &activation);
        QVERIFY(!OKBottomDlg->Timer1->enabled());
    }

    void showingStartsTheRunAndTheAnimation()
    {
        platform::showForm(OKBottomDlg);
        QVERIFY(QTest::qWaitForWindowActive(OKBottomDlg));
        QTRY_VERIFY(OKBottomDlg->Timer1->isRunning());
        QVERIFY(OKBottomDlg->ProgressBar1->value() <= 1);
        QVERIFY(OKBottomDlg->Animate1->playing());
        QCOMPARE(OKBottomDlg->windowTitle(), QStringLiteral("Trwa drukowanie..."));
        QVERIFY(!(OKBottomDlg->windowFlags() & Qt::WindowCloseButtonHint));
        const QPoint screenCentre = OKBottomDlg->screen()->availableGeometry().center();
        QVERIFY((OKBottomDlg->frameGeometry().center() - screenCentre).manhattanLength() <= 2);
    }

    void barRunsToOneHundredThenHides()
    {
        OKBottomDlg->show();
        OKBottomDlg->FormActivate();
        tick(99);
        QCOMPARE(OKBottomDlg->ProgressBar1->value(), 99);
        QVERIFY(OKBottomDlg->isVisible());
        QVERIFY(OKBottomDlg->Timer1->enabled());
        tick(1);
        QCOMPARE(OKBottomDlg->ProgressBar1->value(), 100);
        QVERIFY(!OKBottomDlg->isVisible());
        QVERIFY(!OKBottomDlg->Timer1->enabled());
        QVERIFY(!OKBottomDlg->Animate1->playing()); // nothing wakes an idle program

        platform::showForm(OKBottomDlg);
        QTRY_VERIFY(OKBottomDlg->Timer1->isRunning());
        QVERIFY(OKBottomDlg->ProgressBar1->value() <= 1);
    }

    void reactivationRestartsFromZero()
    {
        platform::showForm(OKBottomDlg);
        QVERIFY(QTest::qWaitForWindowActive(OKBottomDlg));
        tick(50);
        QWidget otherWindow;
        platform::showForm(&otherWindow);
        QVERIFY(QTest::qWaitForWindowActive(&otherWindow));
        QCOMPARE(OKBottomDlg->ProgressBar1->value(), 50);
        QVERIFY(OKBottomDlg->Timer1->isRunning());
        platform::showForm(OKBottomDlg);
        QVERIFY(QTest::qWaitForWindowActive(OKBottomDlg));
        QVERIFY(OKBottomDlg->ProgressBar1->value() <= 1);
        QVERIFY(OKBottomDlg->Timer1->isRunning());
    }

    void abortWithoutAJobHides_data()
    {
        QTest::addColumn<bool>("byEnter");
        QTest::newRow("click") << false;
        QTest::newRow("Enter") << true;
    }
    void abortWithoutAJobHides()
    {
        QFETCH(bool, byEnter);
        OKBottomDlg->show();
        OKBottomDlg->FormActivate();
        tick(30);
        if (byEnter)
            QTest::keyClick(OKBottomDlg->OKBtn, Qt::Key_Return);
        else
            QTest::mouseClick(OKBottomDlg->OKBtn, Qt::LeftButton);
        QVERIFY(!OKBottomDlg->isVisible());
        QVERIFY(!OKBottomDlg->Timer1->enabled());
        QCOMPARE(OKBottomDlg->ProgressBar1->value(), 30); // kept until the next start
        QCOMPARE(printer->target().aborted, 0);
        QVERIFY(dialogs->shown().isEmpty());
    }

    void abortAfterTheJobFinishedOnlyHides()
    {
        platform::showForm(OKBottomDlg);
        platform::Printer& shared = platform::printer();
        shared.beginDoc();
        shared.stretchDraw(QRect(0, 0, 800, 600), blackPicture());
        shared.endDoc();
        QTest::mouseClick(OKBottomDlg->OKBtn, Qt::LeftButton);
        QVERIFY(!OKBottomDlg->isVisible());
        QCOMPARE(printer->target().ended, 1);
        QCOMPARE(printer->target().aborted, 0);
        QVERIFY(dialogs->shown().isEmpty());
    }

    // The print code goes on after the abort and tries to end the job it no longer has.
    void abortDuringAJobStopsThePrinting()
    {
        platform::showForm(OKBottomDlg);
        QVERIFY(QTest::qWaitForWindowActive(OKBottomDlg));
        platform::Printer& shared = platform::printer();
        shared.beginDoc();
        QTimer::singleShot(0, OKBottomDlg->OKBtn, &QPushButton::click);
        shared.stretchDraw(QRect(0, 0, 800, 600), blackPicture());
        platform::runGuarded([&] { shared.endDoc(); });

        QVERIFY(!OKBottomDlg->isVisible());
        QVERIFY(!OKBottomDlg->Timer1->enabled());
        QCOMPARE(dialogs->errors(), QStringList { QStringLiteral("Printer is not currently printing.") });
        QCOMPARE(dialogs->shown().first().caption, QStringLiteral("Kavrino"));
        const testing::RecordingPrintTarget& target = printer->target();
        QCOMPARE(target.started, 1);
        QCOMPARE(target.aborted, 1);
        QCOMPARE(target.ended, 0);
        // Only what was handed over before the abort reached the page.
        QCOMPARE(target.pages.size(), 1);
        QCOMPARE(target.pages.first().pixelColor(400, 5), QColor(Qt::black));
        QCOMPARE(target.pages.first().pixelColor(400, 550), QColor(Qt::white));
    }

private:
    static QImage blackPicture()
    {
        QImage picture(400, 300, QImage::Format_RGB32);
        picture.fill(Qt::black);
        return picture;
    }

    std::unique_ptr<testing::ScriptedDialogs> dialogs;
    std::unique_ptr<testing::RecordingPrinter> printer;
};

QTEST_MAIN(TestPrintProgress)
#include "tst_print_progress.moc"
