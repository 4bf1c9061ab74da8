// The canvas and the turtle pictures on a high-density screen. CTest runs this at 100 %, 150 %
// and 200 % (QT_SCALE_FACTOR): each picture pixel must cover whole device pixels of its own
// colour, never a blend, while the turtle's positions stay in canvas pixels.
#include "ConsoleFixture.h"
#include "kavrino/TurtleMath.h"

#include <QPixmap>
#include <cmath>

namespace {

// The picture pixels whose area holds the centre of a device pixel: one, or two where the centre
// lies on the border between them.
QList<int> nearest(int device, qreal ratio, int limit)
{
    const qreal centre = (device + 0.5) / ratio;
    QList<int> pixels { std::min(int(centre), limit - 1) };
    if (centre == std::floor(centre) && centre > 0)
        pixels << int(centre) - 1;
    return pixels;
}

// How many device pixels of `shown` do not take the colour of a nearest picture pixel: a blend
// of neighbours, or a picture pixel shown out of place.
int pixelsNotFromTheirPicturePixel(const QImage& shown, const QImage& picture, qreal ratio)
{
    int wrong = 0;
    for (int y = 0; y < shown.height(); ++y)
        for (int x = 0; x < shown.width(); ++x) {
            bool found = false;
            for (const int py : nearest(y, ratio, picture.height()))
                for (const int px : nearest(x, ratio, picture.width()))
                    found = found || shown.pixel(x, y) == picture.pixel(px, py);
            wrong += !found;
        }
    return wrong;
}

} // namespace

class TestCanvasScaling : public QObject {
    Q_OBJECT

    std::unique_ptr<ConsoleFixture> console;

private slots:
    void init()
    {
        console = std::make_unique<ConsoleFixture>();
        Form1->show();
        QVERIFY(QTest::qWaitForWindowExposed(Form1));
    }
    void cleanup() { console.reset(); }

    void linesStaySharp()
    {
        console->enterAll({ "nowexy", "100", "100", "skieruj", "45", "np", "150", "pw", "73", "np", "200" });
        // Positions are canvas pixels, whatever the screen.
        const kavrino::StepEnd first = kavrino::stepEnd(100, 100, 45, 150);
        const kavrino::StepEnd second = kavrino::stepEnd(first.x, first.y, 45 - 73, 200);
        QCOMPARE(QPoint(Form1->Zolw1->X(), Form1->Zolw1->Y()), QPoint(second.x, second.y));
        const QPixmap shown = Form1->Zolw1->grab();
        const qreal ratio = shown.devicePixelRatio();
        QCOMPARE(ratio, qreal(qEnvironmentVariable("QT_SCALE_FACTOR", QStringLiteral("1")).toDouble()));

        const QImage device = shown.toImage().convertToFormat(QImage::Format_RGB32);
        QCOMPARE(pixelsNotFromTheirPicturePixel(device, Form1->Zolw1->picture().image(), ratio), 0);
    }

    void turtlePicturesStaySharp()
    {
        Form1->Timer1Timer();
        platform::PictureControl* turtle = Form1->Image2;
        const QPixmap shown = turtle->grab();
        const QImage device = shown.toImage().convertToFormat(QImage::Format_RGB32);
        QCOMPARE(pixelsNotFromTheirPicturePixel(device, turtle->picture().image(), shown.devicePixelRatio()), 0);
    }
};

QTEST_MAIN(TestCanvasScaling)
#include "tst_canvas_scaling.moc"
