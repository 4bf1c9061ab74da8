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
        printer.stretchDraw(QRect(0, 0, 800, 600), blackPicture({ 801, 417 }));
        printer.endDoc();

        QCOMPARE(recording.target().ended, 1);
        const QImage& page = recording.target().pages.constFirst();
        // Black without a seam where the bands meet (row 552 was one), white around it.
        for (int y = 0; y < 600; ++y)
            for (int x = 0; x < 800; ++x)
                if (page.pixel(x, y) != qRgb(0, 0, 0))
                    QFAIL(qPrintable(QStringLiteral("page pixel (%1, %2) is not black").arg(x).arg(y)));
        QCOMPARE(page.pixelColor(800, 300), QColor(Qt::white));
        QCOMPARE(page.pixelColor(400, 600), QColor(Qt::white));
    }

    void aVerticalLineStaysUnbroken()
    {
        testing::RecordingPrinter recording;
        QImage picture(801, 417, QImage::Format_RGB32);
        picture.fill(Qt::white);
        for (int y = 0; y < picture.height(); ++y)
            picture.setPixel(400, y, qRgb(0, 0, 0));
        platform::Printer& printer = platform::printer();
        printer.beginDoc();
        printer.stretchDraw(QRect(0, 0, 800, 600), picture);
        printer.endDoc();

        const QImage& page = recording.target().pages.constFirst();
        QList<int> gaps;
        for (int y = 0; y < 600; ++y) {
            bool black = false;
            for (int x = 396; x <= 403; ++x)
                black = black || page.pixel(x, y) == qRgb(0, 0, 0);
            if (!black)
                gaps << y;
        }
        QCOMPARE(gaps, QList<int>());
    }

    void abortWhileTheFirstBandIsHandedOverStopsTheJob()
    {
        testing::RecordingPrinter recording;
        platform::Printer& printer = platform::printer();
        printer.beginDoc();
        // Arrives with the first events let through, as a click on an abort button would.
        QTimer::singleShot(0, [&] { printer.abort(); });
        printer.stretchDraw(QRect(0, 0, 800, 600), blackPicture({ 100, 100 }));

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
