#include "kavrino/TurtlePortrait.h"
#include "kavrino/Unit2.h"
#include "platform/Application.h"
#include "platform/Forms.h"
#include "support/ScriptedDialogs.h"

#include <QScreen>
#include <QTest>
#include <memory>

class TestAboutBox : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { platform::Application::setTitle(QStringLiteral("Kavrino")); }

    void init()
    {
        dialogs = std::make_unique<testing::ScriptedDialogs>();
        AboutBox = new TAboutBox;
        platform::showForm(AboutBox);
        QVERIFY(QTest::qWaitForWindowExposed(AboutBox));
    }

    void cleanup()
    {
        delete AboutBox;
        AboutBox = nullptr;
        dialogs.reset();
    }

    void turtlePictureHasItsColours()
    {
        const QImage picture = kavrino::turtlePortrait();
        QCOMPARE(picture.size(), QSize(67, 50));
        QCOMPARE(picture.depth(), 24);
        int green = 0, red = 0, black = 0, blue = 0;
        for (int y = 0; y < picture.height(); ++y) {
            for (int x = 0; x < picture.width(); ++x) {
                const QColor c = picture.pixelColor(x, y);
                green += c.green() > 100 && c.red() < 60 && c.blue() < 60;
                red += c.red() > 150 && c.green() < 60 && c.blue() < 60;
                black += c.red() < 30 && c.green() < 30 && c.blue() < 30;
                blue += c.blue() > 150 && c.red() < 60 && c.green() < 60;
            }
        }
        QVERIFY(green > 300);
        QVERIFY(red > 30);
        QVERIFY(black > 100);
        QVERIFY(blue > 0);
        QCOMPARE(picture.pixelColor(0, 0), QColor(192, 192, 192));
        QCOMPARE(picture.pixelColor(66, 49), QColor(192, 192, 192));

        QCOMPARE(AboutBox->ProgramIcon->picture().image(), picture.convertToFormat(QImage::Format_RGB32));
        QCOMPARE(AboutBox->ProgramIcon->size(), QSize(65, 57));
    }

    void fixedDialogInTheScreenCentre()
    {
        QCOMPARE(AboutBox->windowTitle(), QStringLiteral("Kavrino"));
        QCOMPARE(AboutBox->size(), QSize(298, 213));
        QVERIFY(!(AboutBox->windowFlags() & Qt::WindowCloseButtonHint));
        QVERIFY(!(AboutBox->windowFlags() & Qt::WindowSystemMenuHint));
        const QPoint screenCentre = AboutBox->screen()->availableGeometry().center();
        QVERIFY((AboutBox->frameGeometry().center() - screenCentre).manhattanLength() <= 2);
        QCOMPARE(AboutBox->ProductName->text(), QStringLiteral("Kavrino"));
        QCOMPARE(AboutBox->Copyright->text(), QStringLiteral("Autor: Kwintel"));
    }

    void clickingTheTurtleAsksEachTime()
    {
        QTest::mouseClick(AboutBox->ProgramIcon, Qt::LeftButton);
        QTest::mouseClick(AboutBox->ProgramIcon, Qt::LeftButton);
        const QString text = QStringLiteral("Żółwia nie widziałeś ?");
        QCOMPARE(dialogs->messages(), (QStringList { text, text }));
        QCOMPARE(dialogs->shown().first().caption, QStringLiteral("Kavrino"));
        QCOMPARE(dialogs->shown().first().icon, platform::MessageIcon::None);
        QVERIFY(AboutBox->isVisible());
    }

    // Keys go to the focused control; only a window without a focused control takes them itself.
    void keys_data()
    {
        QTest::addColumn<bool>("toWindow");
        QTest::addColumn<int>("key");
        QTest::addColumn<char>("character");
        QTest::addColumn<bool>("asked");
        QTest::addColumn<bool>("stillShown");
        QTest::newRow("letter on the button") << false << int(Qt::Key_A) << 'a' << false << true;
        QTest::newRow("Space on the button") << false << int(Qt::Key_Space) << ' ' << false << false;
        QTest::newRow("Enter on the button") << false << int(Qt::Key_Return) << '\r' << false << false;
        QTest::newRow("letter on the window") << true << int(Qt::Key_A) << 'a' << true << true;
        QTest::newRow("digit on the window") << true << int(Qt::Key_7) << '7' << true << true;
        QTest::newRow("Enter on the window") << true << int(Qt::Key_Return) << '\r' << false << false;
        QTest::newRow("arrow on the window") << true << int(Qt::Key_Left) << '\0' << false << true;
    }
    void keys()
    {
        QFETCH(bool, toWindow);
        QFETCH(int, key);
        QFETCH(char, character);
        QFETCH(bool, asked);
        QFETCH(bool, stillShown);
        QWidget* target = AboutBox->OKButton;
        if (toWindow) {
            AboutBox->setFocus();
            target = AboutBox;
        }
        QCOMPARE(AboutBox->focusWidget(), target);
        const QString text = character ? QString(QChar(character)) : QString();
        QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier, text);
        QKeyEvent release(QEvent::KeyRelease, key, Qt::NoModifier, text);
        QApplication::sendEvent(target, &press);
        QApplication::sendEvent(target, &release);
        QCOMPARE(dialogs->messages(), asked ? QStringList { QStringLiteral("Po co naciskasz ?") } : QStringList {});
        QCOMPARE(AboutBox->isVisible(), stillShown);
    }

    void okHidesAndShowingAgainReusesTheBox()
    {
        TAboutBox* const shown = AboutBox;
        QTest::mouseClick(AboutBox->OKButton, Qt::LeftButton);
        QVERIFY(!AboutBox->isVisible());
        platform::showForm(AboutBox);
        platform::showForm(AboutBox);
        QVERIFY(AboutBox->isVisible());
        QCOMPARE(AboutBox, shown);
        QVERIFY(!AboutBox->ProgramIcon->picture().isEmpty());
    }

private:
    std::unique_ptr<testing::ScriptedDialogs> dialogs;
};

QTEST_MAIN(TestAboutBox)
#include "tst_about_box.moc"
