#include "platform/Errors.h"
#include "platform/Printer.h"
#include "support/RecordingPrinter.h"

#include <QTest>
#include <QTimer>

class TestPrinter : public QObject {
    Q_OBJECT

    static QImage blackPicture(QSize size)
    {
        QImage picture(size, QImage::Format_RGB32);
        picture.fill(Qt::black);
        return picture;
    }

private slots:
    void stretchDrawFillsTheAreaWhateverThePictureSize()
    {
        testing::RecordingPrinter recording;
        platform::Printer& printer = platform::printer();
        QCOMPARE(&printer, &recording.printer());

        printer.beginDoc();
        printer.stretchDraw(QRect(0, 0, 800, 600), blackPicture({801, 417}));
        printer.endDoc();

        QCOMPARE(recording.target().ended, 1);
        const QImage& page = recording.target().pages.constFirst();
        QCOMPARE(page.pixelColor(0, 0), QColor(Qt::black));
        QCOMPARE(page.pixelColor(799, 599), QColor(Qt::black));
        QCOMPARE(page.pixelColor(800, 300), QColor(Qt::white));
        QCOMPARE(page.pixelColor(400, 600), QColor(Qt::white));
    }

    void abortWhileTheFirstBandIsHandedOverStopsTheJob()
    {
        testing::RecordingPrinter recording;
        platform::Printer& printer = platform::printer();
        printer.beginDoc();
        // Arrives with the first events let through, as a click on an abort button would.
        QTimer::singleShot(0, [&] { printer.abort(); });
        printer.stretchDraw(QRect(0, 0, 800, 600), blackPicture({100, 100}));

        QVERIFY(!printer.printing());
        QCOMPARE(recording.target().aborted, 1);
        QCOMPARE(recording.target().pages.constFirst().pixelColor(400, 500), QColor(Qt::white));
        try {
            printer.endDoc();
            QFAIL("ending an aborted job must fail");
        } catch (const platform::PrinterError& error) {
            QCOMPARE(error.message(), QStringLiteral("Printer is not currently printing"));
        }
        QCOMPARE(recording.target().ended, 0);
    }

    void abortWithoutAJobDoesNothing()
    {
        testing::RecordingPrinter recording;
        platform::printer().abort();
        QCOMPARE(recording.target().aborted, 0);
        QVERIFY(!platform::printer().aborted());
    }

    void aJobThatCannotStartLeavesThePrinterIdle()
    {
        testing::RecordingPrinter recording;
        recording.target().failToStart = true;
        QVERIFY_THROWS_EXCEPTION(platform::PrinterError, platform::printer().beginDoc());
        QVERIFY(!platform::printer().printing());
    }
};

QTEST_MAIN(TestPrinter)
#include "tst_printer.moc"
