#include "kavrino/TurtleMath.h"
#include "kavrino/Zolw.h"
#include "platform/Errors.h"

#include <QTemporaryDir>
#include <QTest>
#include <climits>

namespace {

int blackPixels(const QImage& image)
{
    int count = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            count += image.pixelColor(x, y) == QColor(Qt::black);
    return count;
}

} // namespace

class TestZolw : public QObject {
    Q_OBJECT
private slots:
    void construction()
    {
        TZolw zolw;
        QCOMPARE(zolw.Kat(), 180);
        QCOMPARE(zolw.Krok(), 10);
        QCOMPARE(zolw.Pisak(), true);
        QCOMPARE(zolw.X(), 52); // half of the 105 by 105 start, truncated
        QCOMPARE(zolw.Y(), 52);
        QCOMPARE(zolw.property("Kat").toInt(), 180);
        QVERIFY(zolw.setProperty("Krok", 25));
        QCOMPARE(zolw.Krok(), 25);
    }

    void step_data()
    {
        QTest::addColumn<QSize>("size");
        QTest::addColumn<QPoint>("from");
        QTest::addColumn<int>("kat");
        QTest::addColumn<int>("krok");
        QTest::addColumn<QPoint>("to");
        const QSize canvas(801, 417);
        QTest::newRow("up") << canvas << QPoint(100, 100) << 180 << 10 << QPoint(100, 90);
        QTest::newRow("right") << canvas << QPoint(100, 100) << 90 << 10 << QPoint(110, 100);
        QTest::newRow("down") << canvas << QPoint(100, 100) << 0 << 10 << QPoint(100, 110);
        QTest::newRow("left") << canvas << QPoint(100, 100) << 270 << 10 << QPoint(90, 100);
        QTest::newRow("up right") << canvas << QPoint(100, 100) << 135 << 10 << QPoint(107, 93);
        QTest::newRow("down right") << canvas << QPoint(100, 100) << 45 << 10 << QPoint(107, 107);
        // sin is 0.49999962 with pi taken as 3.14159, so 103.4999981 rounds down
        QTest::newRow("pi as 3.14159") << canvas << QPoint(101, 100) << 150 << 5 << QPoint(103, 96);
        // the column drifts by one; the row 200000 wraps to 0
        QTest::newRow("long step") << canvas << QPoint(0, 0) << 0 << 200000 << QPoint(1, 0);
        QTest::newRow("wrap right") << canvas << QPoint(795, 10) << 90 << 10 << QPoint(0, 10);
        QTest::newRow("wrap left") << canvas << QPoint(5, 10) << 270 << 10 << QPoint(801, 10);
        QTest::newRow("on the edge stays") << canvas << QPoint(791, 10) << 90 << 10 << QPoint(801, 10);
        QTest::newRow("wrap top") << canvas << QPoint(10, 5) << 180 << 10 << QPoint(10, 417);
        QTest::newRow("zero step") << canvas << QPoint(50, 50) << 33 << 0 << QPoint(50, 50);
        QTest::newRow("backwards") << canvas << QPoint(100, 100) << 180 << -10 << QPoint(100, 110);
        QTest::newRow("heading 360 as 0") << canvas << QPoint(100, 100) << 360 << 10 << QPoint(100, 110);
        QTest::newRow("heading -90 as 270") << canvas << QPoint(100, 100) << -90 << 10 << QPoint(90, 100);
    }
    void step()
    {
        QFETCH(QSize, size);
        QFETCH(QPoint, from);
        QFETCH(int, kat);
        QFETCH(int, krok);
        QFETCH(QPoint, to);
        TZolw zolw;
        zolw.resize(size);
        zolw.setX(from.x());
        zolw.setY(from.y());
        zolw.setKat(kat);
        zolw.setKrok(krok);
        zolw.StepForward();
        QCOMPARE(QPoint(zolw.X(), zolw.Y()), to);
    }

    void angleKeepsFortyBitsOfSignificand()
    {
        const long double angle = kavrino::stepAngle(0);
        const long double exact = 180.0L * 3.14159L / 180.0L;
        QVERIFY(angle != exact); // the extended value has more bits than are kept
        QVERIFY(std::fabs(static_cast<double>(angle - exact)) < 1e-11);
        QCOMPARE(kavrino::roundToReal48(angle), angle);
        QCOMPARE(kavrino::roundToReal48(1.0L + 0x1p-40L), 1.0L); // a tie goes to even
        QCOMPARE(kavrino::roundToReal48(1.0L + 0x1p-39L + 0x1p-40L), 1.0L + 0x1p-38L);
    }

    void stepsDrawOnlyWithThePenDown()
    {
        TZolw zolw;
        zolw.resize(801, 417);
        zolw.setX(0);
        zolw.setY(0);
        zolw.setKat(90);
        zolw.setKrok(100);
        zolw.StepForward();
        const QImage& drawn = zolw.picture().image();
        QCOMPARE(drawn.size(), QSize(801, 417)); // the first step made a bitmap of the control's size
        QCOMPARE(blackPixels(drawn), 100);       // 0..99: the end pixel is not set
        QCOMPARE(drawn.pixelColor(99, 0), QColor(Qt::black));
        QCOMPARE(drawn.pixelColor(100, 0), QColor(Qt::white));

        zolw.setPisak(false);
        zolw.setKat(0);
        zolw.StepForward();
        QCOMPARE(QPoint(zolw.X(), zolw.Y()), QPoint(100, 100));
        QCOMPARE(blackPixels(zolw.picture().image()), 100);
    }

    void linesLeavingTheBitmapAreClipped()
    {
        TZolw zolw;
        zolw.resize(801, 417);
        zolw.setX(400);
        zolw.setY(200);
        zolw.setKat(0);
        zolw.setKrok(2000000000); // a line far longer than the bitmap
        zolw.StepForward();
        QCOMPARE(blackPixels(zolw.picture().image()), 217); // rows 200..416 of column 400 (plus drift)
    }

    void outOfRangeEndFailsAndKeepsThePosition()
    {
        TZolw zolw;
        zolw.resize(801, 417);
        zolw.setX(INT_MAX - 5);
        zolw.setY(10);
        zolw.setKat(90);
        zolw.setKrok(100);
        QVERIFY_THROWS_EXCEPTION(platform::InvalidFloatOperation, zolw.StepForward());
        QCOMPARE(zolw.X(), INT_MAX - 5);
        QCOMPARE(zolw.Y(), 10);
    }

    void iconPictureRefusesTheStep()
    {
        QTemporaryDir dir;
        QImage icon(16, 16, QImage::Format_ARGB32);
        icon.fill(Qt::red);
        QVERIFY(icon.save(dir.filePath("t.ico"), "ICO"));
        TZolw zolw;
        zolw.loadFromFile(dir.filePath("t.ico"));
        zolw.setX(10);
        zolw.setY(10);
        try {
            zolw.StepForward();
            QFAIL("a step on an icon must fail");
        } catch (const platform::InvalidGraphicOperation& error) {
            QCOMPARE(error.message(), QStringLiteral("Can only modify an image if it contains a bitmap"));
        }
        QCOMPARE(QPoint(zolw.X(), zolw.Y()), QPoint(10, 10));
    }

    void turnsAddAndWrap()
    {
        TZolw zolw;
        zolw.TurnLeft(90);
        QCOMPARE(zolw.Kat(), 270);
        zolw.setKat(180);
        zolw.TurnRight(90);
        QCOMPARE(zolw.Kat(), 90);
        zolw.setKat(180);
        zolw.TurnRight(270);
        QCOMPARE(zolw.Kat(), -90); // kept, never normalised
        zolw.setKat(INT_MAX);
        zolw.TurnLeft(1);
        QCOMPARE(zolw.Kat(), INT_MIN);
        zolw.TurnRight(1);
        QCOMPARE(zolw.Kat(), INT_MAX);
    }

    void headingDifferenceWrapsWithoutOverflow()
    {
        TZolw zolw;
        zolw.resize(801, 417);
        zolw.setX(100);
        zolw.setY(100);
        zolw.setKat(INT_MIN); // 180 - INT_MIN wraps to INT_MIN + 180
        zolw.setKrok(10);
        zolw.StepForward();
        const kavrino::StepEnd expected = kavrino::stepEnd(100, 100, INT_MIN, 10);
        QCOMPARE(QPoint(zolw.X(), zolw.Y()), QPoint(expected.x, expected.y));
    }
};

QTEST_MAIN(TestZolw)
#include "tst_zolw.moc"
