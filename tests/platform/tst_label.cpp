#include "platform/Label.h"

#include <QSignalSpy>
#include <QTest>

class TestLabel : public QObject {
    Q_OBJECT
private slots:
    void sizesItselfToTextAndFont()
    {
        QWidget window;
        platform::Label label(QStringLiteral("Autor"), &window);
        const QSize small = label.size();
        label.setCaption(QStringLiteral("Autor: Kwintel"));
        QVERIFY(label.width() > small.width());
        const QSize text = label.size();
        QFont larger = window.font();
        larger.setPixelSize(40);
        window.setFont(larger); // reaches the label through the window, as a form's font does
        QVERIFY(label.width() > text.width());
        QVERIFY(label.height() > text.height());

        label.setAutoSize(false);
        label.resize(10, 10);
        label.setCaption(QStringLiteral("a much longer text than before"));
        QCOMPARE(label.size(), QSize(10, 10));
    }

    // Markup is text like any other: every character shows and takes its width.
    void showsMarkupAsTyped_data()
    {
        QTest::addColumn<QString>("text");
        QTest::newRow("tags") << "<b>x</b>";
        QTest::newRow("ampersand and angle") << "<i>a & b</i> < c";
        QTest::newRow("entity") << "&lt;p&gt;";
    }
    void showsMarkupAsTyped()
    {
        QFETCH(QString, text);
        platform::Label label(text);
        QCOMPARE(label.text(), text);
        // Read as markup, the label would take only the width of what the markup leaves.
        QVERIFY(label.width() >= label.fontMetrics().horizontalAdvance(text));
    }

    void clickIsAReleaseInside()
    {
        platform::Label label(QStringLiteral("Autor: Kwintel"));
        label.show();
        QSignalSpy clicks(&label, &platform::Label::Click);
        QTest::mouseClick(&label, Qt::LeftButton);
        QCOMPARE(clicks.size(), 1);
        QTest::mousePress(&label, Qt::LeftButton, {}, QPoint(2, 2));
        QTest::mouseRelease(&label, Qt::LeftButton, {}, QPoint(-5, -5));
        QTest::mouseClick(&label, Qt::RightButton);
        QCOMPARE(clicks.size(), 1);
    }
};

QTEST_MAIN(TestLabel)
#include "tst_label.moc"
