#include "platform/Forms.h"
#include "ztr_search/RadioGroup.h"
#include "ztr_search/formInformacje.h"
#include "ztr_search/formSzukaj.h"

#include <QAbstractButton>
#include <QApplication>
#include <QPointer>
#include <QPushButton>
#include <QRadioButton>
#include <QScopeGuard>
#include <QScreen>
#include <QTemporaryDir>
#include <QTest>
#include <QTextBlock>
#include <QTextEdit>
#include <QTimer>
#include <functional>

class TestInfoWindow : public QObject {
    Q_OBJECT

    QTemporaryDir dir;

    // Chooses "Pomoc" > "O programie" and runs `whileOpen` inside the window's own modal loop.
    // A window still open afterwards, after a failed check, is closed so that the test goes on.
    void openInfoWindow(TfrmSzukaj& search, const std::function<void(TfrmInformacje&)>& whileOpen)
    {
        bool ran = false;
        QTimer::singleShot(0, this, [&] {
            const QPointer<TfrmInformacje> window = frmInformacje;
            QVERIFY(window);
            ran = true;
            const auto closeIfOpen = qScopeGuard([&] {
                if (window && window->isVisible())
                    window->close();
            });
            QVERIFY(QTest::qWaitForWindowExposed(window));
            whileOpen(*window);
        });
        search.Oprogramie1->trigger();
        QVERIFY(ran);
    }

    // A click as the window system delivers it, where modality is enforced; a click sent to the
    // widget itself would pass any modal window by.
    static void clickThroughTheWindowSystem(QWidget* widget)
    {
        QWidget* window = widget->window();
        QTest::mouseClick(window->windowHandle(), Qt::LeftButton, {}, widget->mapTo(window, widget->rect().center()));
    }

private slots:
    void initTestCase() { qputenv("PLATFORM_DRIVE_MAP", dir.filePath(QStringLiteral("none.map")).toLocal8Bit()); }

    void showsTheProgramAndItsAuthor()
    {
        TfrmSzukaj search;
        search.show();
        QVERIFY(QTest::qWaitForWindowExposed(&search));
        QPointer<TfrmInformacje> shown;
        openInfoWindow(search, [&](TfrmInformacje& window) {
            shown = &window;
            QCOMPARE(QApplication::activeModalWidget(), &window);
            QCOMPARE(window.windowTitle(), QStringLiteral("Informacje o Zintra Search"));
            QCOMPARE(window.size(), QSize(264, 137));
            QCOMPARE(window.minimumSize(), window.maximumSize());
            const Qt::WindowFlags flags = window.windowFlags();
            QVERIFY(flags & Qt::WindowCloseButtonHint);
            QVERIFY(!(flags
                & (Qt::WindowMinimizeButtonHint | Qt::WindowMaximizeButtonHint | Qt::WindowContextHelpButtonHint)));
            const QRect screen = window.screen()->availableGeometry();
            QVERIFY((window.frameGeometry().center() - screen.center()).manhattanLength() <= 2);

            QCOMPARE(window.lines(),
                (QStringList {
                    "Zintra Search", "Katalog programów z płyt magazynu Zintra", "", "", "Autor: Lumbrek", "" }));
            for (QTextBlock block = window.Memo1->document()->begin(); block.isValid(); block = block.next())
                QCOMPARE(block.blockFormat().alignment() & Qt::AlignHorizontal_Mask, Qt::AlignHCenter);
            QCOMPARE(window.Memo1->geometry(), QRect(0, 10, 261, 87));
            QVERIFY(window.Memo1->isReadOnly());
            QCOMPARE(window.Memo1->frameShape(), QFrame::NoFrame);
            QCOMPARE(window.Memo1->focusPolicy(), Qt::NoFocus);
            QCOMPARE(window.Button1->text(), QStringLiteral("Ok"));
            QCOMPARE(window.Button1->geometry(), QRect(90, 106, 75, 25));
            QTRY_COMPARE(QApplication::focusWidget(), window.Button1);

            // The search window takes no input meanwhile.
            clickThroughTheWindowSystem(search.RadioGroup_operacja->button(1));
            QCOMPARE(search.RadioGroup_operacja->itemIndex(), 0);

            QTest::mouseClick(window.Button1, Qt::LeftButton);
        });
        // Released once closed.
        QVERIFY(shown.isNull());
        QVERIFY(!frmInformacje);
        clickThroughTheWindowSystem(search.RadioGroup_operacja->button(1));
        QCOMPARE(search.RadioGroup_operacja->itemIndex(), 1);
    }

    void eachUseIsAFreshWindowAndTheCloseBoxClosesIt()
    {
        TfrmSzukaj search;
        search.show();
        QVERIFY(QTest::qWaitForWindowExposed(&search));
        for (int use = 0; use < 2; ++use) {
            QPointer<TfrmInformacje> shown;
            openInfoWindow(search, [&](TfrmInformacje& window) {
                shown = &window;
                // What a window manager's close box sends.
                QCOMPARE(window.lines().first(), QStringLiteral("Zintra Search"));
                window.close();
            });
            QVERIFY(shown.isNull());
        }
    }

    void enterPressesOk()
    {
        TfrmSzukaj search;
        search.show();
        QVERIFY(QTest::qWaitForWindowExposed(&search));
        QPointer<TfrmInformacje> shown;
        openInfoWindow(search, [&](TfrmInformacje& window) {
            shown = &window;
            QTRY_COMPARE(QApplication::focusWidget(), window.Button1);
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
        });
        QVERIFY(shown.isNull());
    }
};

QTEST_MAIN(TestInfoWindow)
#include "tst_info_window.moc"
