#include "platform/Panel.h"

#include <QTest>

class TestPanel : public QObject {
    Q_OBJECT
private slots:
    // Lowered outside, raised inside: the about box's frame.
    void drawsBothBevels()
    {
        platform::Panel panel;
        panel.resize(40, 30);
        panel.setBevelOuter(platform::Panel::Bevel::Lowered);
        panel.setBevelInner(platform::Panel::Bevel::Raised);
        const QImage image = panel.grab().toImage();
        const QColor light = panel.palette().color(QPalette::Light);
        const QColor dark = panel.palette().color(QPalette::Dark);
        QCOMPARE(image.pixel(0, 0), dark.rgb());
        QCOMPARE(image.pixel(39, 29), light.rgb());
        QCOMPARE(image.pixel(1, 1), light.rgb());
        QCOMPARE(image.pixel(38, 28), dark.rgb());
        QCOMPARE(image.pixel(20, 15), panel.palette().color(QPalette::Window).rgb());
    }

    void noBevelLeavesThePlainColour()
    {
        platform::Panel panel;
        panel.resize(10, 10);
        panel.setBevelOuter(platform::Panel::Bevel::None);
        const QImage image = panel.grab().toImage();
        QCOMPARE(image.pixel(0, 0), panel.palette().color(QPalette::Window).rgb());
    }
};

QTEST_MAIN(TestPanel)
#include "tst_panel.moc"
