#include "kavrino/TurtleMath.h"
#include "kavrino/Zolw.h"
#include "platform/Errors.h"

#include <QTemporaryDir>
#include <QTest>
#include <climits>
#include <cmath>
#include <optional>
#include <random>
#include <tuple>

namespace {

// The rounding to a 6-byte real's 40-bit significand as it was first written.
long double referenceRoundToReal48(long double value)
{
    if (value == 0 || !std::isfinite(value))
        return value;
    int exponent = 0;
    const long double fraction = std::frexp(value, &exponent);
    return std::ldexp(std::rint(std::ldexp(fraction, 40)), exponent - 40);
}

// The step as it was first written, all in extended precision: what every faster path must match.
std::optional<kavrino::StepEnd> extendedStepEnd(std::int32_t x, std::int32_t y, std::int32_t kat, std::int32_t krok)
{
    const long double angle = referenceRoundToReal48(
        static_cast<long double>(std::int32_t(std::uint32_t(180) - std::uint32_t(kat))) * 3.14159L / 180.0L);
    const long double newY = std::rint(static_cast<long double>(y) - krok * std::cos(angle));
    const long double newX = std::rint(static_cast<long double>(x) + krok * std::sin(angle));
    if (!(newY >= INT32_MIN && newY <= INT32_MAX) || !(newX >= INT32_MIN && newX <= INT32_MAX))
        return std::nullopt;
    return kavrino::StepEnd { static_cast<std::int32_t>(newX), static_cast<std::int32_t>(newY) };
}

// Both faster ways, with and without what the cache remembers; they must agree.
std::optional<kavrino::StepEnd> fastStepEnd(
    std::int32_t x, std::int32_t y, std::int32_t kat, std::int32_t krok, kavrino::StepCache& cache)
{
    std::optional<kavrino::StepEnd> uncached, cached;
    try {
        uncached = kavrino::stepEnd(x, y, kat, krok);
    } catch (const platform::InvalidFloatOperation&) {
    }
    try {
        cached = cache.stepEnd(x, y, kat, krok);
    } catch (const platform::InvalidFloatOperation&) {
    }
    if (cached != uncached)
        qWarning("cached and uncached steps differ");
    return cached == uncached ? cached : std::nullopt;
}

// The pixels of a line, one rounded step at a time with nothing skipped.
void drawLineStepByStep(QImage& image, QPoint from, QPoint to)
{
    const qint64 dx = qint64 { to.x() } - from.x();
    const qint64 dy = qint64 { to.y() } - from.y();
    const qint64 length = std::max(std::llabs(dx), std::llabs(dy));
    for (qint64 step = 0; step < length; ++step) {
        // Halves away from the start, in exact integers.
        const auto along = [&](qint64 delta) {
            const qint64 twice = 2 * step * delta + (delta >= 0 ? length : -length);
            return twice / (2 * length);
        };
        const qint64 x = from.x() + along(dx);
        const qint64 y = from.y() + along(dy);
        if (x >= 0 && y >= 0 && x < image.width() && y < image.height())
            image.setPixel(int(x), int(y), qRgb(0, 0, 0));
    }
}

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
        QCOMPARE(kavrino::roundToReal48(-(2.0L - 0x1p-41L)), -2.0L); // carries into the exponent

        // Random significands, and ties with an odd and an even last kept bit, at many exponents.
        std::mt19937_64 random(11);
        for (int i = 0; i < 200'000; ++i) {
            const std::uint64_t bits = random();
            long double value = std::ldexp(static_cast<long double>(bits | (std::uint64_t { 1 } << 63)), -63);
            if (i % 4 == 1)
                value = std::ldexp(std::floor(std::ldexp(value, 39)) + 0.5L, -39); // a tie
            value = std::ldexp(i % 2 ? -value : value, int(random() % 200) - 100);
            if (kavrino::roundToReal48(value) != referenceRoundToReal48(value))
                QFAIL(qPrintable(QStringLiteral("%1").arg(double(value), 0, 'g', 20)));
        }
    }

    // Headings, lengths and positions from the usual to the extreme, each compared with the
    // extended arithmetic, out-of-range ends included.
    void stepEndMatchesTheExtendedArithmetic()
    {
        std::mt19937 random(20240613);
        const auto pick = [&](std::int64_t low, std::int64_t high) {
            return static_cast<std::int32_t>(std::uniform_int_distribution<std::int64_t>(low, high)(random));
        };
        const auto heading = [&] {
            switch (pick(0, 3)) {
            case 0: return pick(-720, 720);
            case 1: return pick(-8, 8) * 45 + pick(-1, 1);
            case 2: return pick(-10'000'000, 10'000'000);
            default: return pick(INT32_MIN, INT32_MAX);
            }
        };
        const auto length = [&] {
            switch (pick(0, 3)) {
            case 0: return pick(-60, 60);
            case 1: return pick(-100'000, 100'000);
            case 2: return pick(-1'000'000'000, 1'000'000'000) | pick(0, 1);
            default: return pick(INT32_MIN, INT32_MAX);
            }
        };
        const auto position = [&] { return pick(0, 3) == 0 ? pick(INT32_MIN, INT32_MAX) : pick(-5, 805); };

        kavrino::StepCache cache;
        int mismatches = 0;
        for (int i = 0; i < 1'000'000 && mismatches < 5; ++i) {
            const std::int32_t kat = heading(), krok = length();
            // Several starts for each heading and length, so that the cache's moves are used.
            for (int start = 0; start < 3; ++start) {
                const std::int32_t x = position(), y = position();
                const auto expected = extendedStepEnd(x, y, kat, krok);
                const auto actual = fastStepEnd(x, y, kat, krok, cache);
                if (actual != expected) {
                    ++mismatches;
                    qWarning("x %d y %d kat %d krok %d", x, y, kat, krok);
                }
            }
        }
        QCOMPARE(mismatches, 0);
    }

    // Steps whose exact end lies a hair from a half, where a rounding error of the last bit decides:
    // lengths from the continued fraction of twice the sine or cosine, k * 2s next to an odd number.
    void nearHalvesMatchTheExtendedArithmetic()
    {
        kavrino::StepCache cache;
        int cases = 0;
        for (const std::int32_t kat : { 150, 45, 7, 100, -33, 1234567, 89, 271 }) {
            const long double angle = kavrino::stepAngle(kat);
            for (const long double ratio : { 2 * std::sin(angle), 2 * std::cos(angle) }) {
                long double rest = std::fabs(ratio);
                std::int64_t p0 = 1, q0 = 0, p1 = static_cast<std::int64_t>(std::floor(rest)), q1 = 1;
                while (q1 < INT32_MAX && rest - std::floor(rest) > 1e-18L) {
                    rest = 1 / (rest - std::floor(rest));
                    const auto a = static_cast<std::int64_t>(std::floor(rest));
                    std::tie(p0, q0, p1, q1) = std::make_tuple(p1, q1, a * p1 + p0, a * q1 + q0);
                    if (p1 % 2 == 0 || q1 > INT32_MAX)
                        continue;
                    for (const std::int64_t krok : { q1, -q1 }) {
                        for (const std::int32_t start : { 0, 100, 400 }) {
                            ++cases;
                            const auto expected = extendedStepEnd(start, start, kat, std::int32_t(krok));
                            QCOMPARE(fastStepEnd(start, start, kat, std::int32_t(krok), cache), expected);
                        }
                    }
                }
            }
        }
        QVERIFY(cases > 100);
    }

    // A long walk over the canvas with its wraps, as the console draws: every position matches.
    void walkMatchesTheExtendedArithmetic()
    {
        TZolw zolw;
        zolw.resize(801, 417);
        zolw.setX(400);
        zolw.setY(200);
        zolw.setPisak(false);
        std::int32_t x = 400, y = 200, kat = 180;
        std::mt19937 random(7);
        for (int i = 0; i < 1'000'000; ++i) {
            const std::int32_t turn = i % 3 == 0 ? 7 : std::int32_t(random() % 9) * 45;
            const std::int32_t krok = std::int32_t(random() % 400) - 100;
            zolw.TurnLeft(turn);
            kat += turn;
            zolw.setKrok(krok);
            zolw.StepForward();
            const auto end = extendedStepEnd(x, y, kat, krok);
            QVERIFY(end);
            x = end->x > 801 ? 0 : end->x < 0 ? 801 : end->x;
            y = end->y > 417 ? 0 : end->y < 0 ? 417 : end->y;
            if (zolw.X() != x || zolw.Y() != y)
                QFAIL(qPrintable(QStringLiteral("step %1: (%2, %3), expected (%4, %5)")
                                     .arg(i)
                                     .arg(zolw.X())
                                     .arg(zolw.Y())
                                     .arg(x)
                                     .arg(y)));
        }
    }

    // Lines inside the image and lines that leave it, against every rounded step drawn one by one.
    void linesMatchTheirRoundedSteps()
    {
        std::mt19937 random(3);
        const auto coordinate
            = [&](int low, int high) { return std::uniform_int_distribution<int>(low, high)(random); };
        for (int i = 0; i < 20'000; ++i) {
            const bool inside = i % 2 == 0;
            const QPoint from = inside ? QPoint(coordinate(0, 60), coordinate(0, 36))
                                       : QPoint(coordinate(-90, 150), coordinate(-90, 130));
            const QPoint to = inside ? QPoint(coordinate(0, 60), coordinate(0, 36))
                                     : QPoint(coordinate(-90, 150), coordinate(-90, 130));
            QImage drawn(61, 37, QImage::Format_RGB32);
            drawn.fill(Qt::white);
            QImage expected = drawn;
            kavrino::drawLineExcludingEnd(drawn, from, to, qRgb(0, 0, 0));
            drawLineStepByStep(expected, from, to);
            if (drawn != expected)
                QFAIL(qPrintable(
                    QStringLiteral("line (%1, %2) to (%3, %4)").arg(from.x()).arg(from.y()).arg(to.x()).arg(to.y())));
        }
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
        QCOMPARE(blackPixels(drawn), 100); // 0..99: the end pixel is not set
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
