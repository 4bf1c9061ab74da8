#include "kavrino/Unit2.h"
#include "kavrino/Unit3.h"
#include "platform/Application.h"
#include "platform/Forms.h"
#include "support/ScriptedDialogs.h"

#include <QApplication>
#include <QLineEdit>
#include <QTest>
#include <memory>

namespace {

QStringList listLines(const QListWidget* list)
{
    QStringList lines;
    for (int row = 0; row < list->count(); ++row)
        lines << list->item(row)->text();
    return lines;
}

} // namespace

class TestReferenceWindow : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { platform::Application::setTitle(QStringLiteral("Kavrino")); }

    void init()
    {
        dialogs = std::make_unique<testing::ScriptedDialogs>();
        AboutBox = new TAboutBox;
        Form3 = new TForm3;
        platform::showForm(Form3);
        QVERIFY(QTest::qWaitForWindowExposed(Form3));
    }

    void cleanup()
    {
        delete Form3;
        Form3 = nullptr;
        delete AboutBox;
        AboutBox = nullptr;
        dialogs.reset();
    }

    void startsWithPromptAndNothingLookedUp()
    {
        QCOMPARE(Form3->windowTitle(), QStringLiteral("Spis procedur"));
        QVERIFY(!(Form3->windowFlags() & Qt::WindowCloseButtonHint));
        QVERIFY(!(Form3->windowFlags() & Qt::WindowSystemMenuHint));
        QCOMPARE(Form3->ComboBox1->currentText(), QStringLiteral("Wybierz procedurę"));
        QCOMPARE(Form3->ComboBox1->count(), 36);
        QCOMPARE(Form3->ComboBox1->findText(QStringLiteral("tekst")), -1);
        QVERIFY(Form3->Label5->text().isEmpty());
        QVERIFY(Form3->Label6->text().isEmpty());
        QVERIFY(Form3->Label7->text().isEmpty());
        QCOMPARE(Form3->ListBox1->count(), 0);
    }

    void pickingQWShowsItsEntry()
    {
        Form3->ComboBox1->setCurrentIndex(Form3->ComboBox1->findText(QStringLiteral("QW")));
        QCOMPARE(Form3->ComboBox1->currentText(), QStringLiteral("QW"));
        QCOMPARE(Form3->Label5->text(), QStringLiteral("Kavrino"));
        QCOMPARE(Form3->Label6->text(), QStringLiteral("QW"));
        QCOMPARE(Form3->Label7->text(), QStringLiteral("Brak"));
        QCOMPARE(listLines(Form3->ListBox1), QStringList { QStringLiteral("Wyświetla informacje o programie.") });
        // The labels grow with their text.
        QVERIFY(Form3->Label5->width() >= Form3->Label5->fontMetrics().horizontalAdvance(QStringLiteral("Kavrino")));
    }

    void typingLetterByLetterLooksUpEachText()
    {
        Form3->ComboBox1->lineEdit()->clear();
        const QString word = QStringLiteral("pisztekst");
        const QStringList piszLines { QStringLiteral("Wypisuje dowolny tekst na ekranie tekstowym.") };
        for (const QChar letter : word) {
            QTest::keyClicks(Form3->ComboBox1, QString(letter));
            const QString typed = Form3->ComboBox1->currentText();
            if (typed == u"pisz") {
                QCOMPARE(Form3->Label5->text(), QStringLiteral("Pisz"));
                QCOMPARE(listLines(Form3->ListBox1), piszLines);
            } else if (typed.startsWith(u"piszt") && typed != word) {
                QCOMPARE(Form3->ListBox1->count(), 0);
                QCOMPARE(Form3->Label5->text(), QStringLiteral("Pisz"));
                QCOMPARE(Form3->Label6->text(), QStringLiteral("pisz"));
                QCOMPARE(Form3->Label7->text(), QStringLiteral("Tekst"));
            }
        }
        QCOMPARE(Form3->ComboBox1->currentText(), word);
        QCOMPARE(Form3->Label5->text(), QStringLiteral("Pisz tekst"));
        QCOMPARE(Form3->Label6->text(), word);
        QCOMPARE(Form3->Label7->text(), QStringLiteral("Tekst"));
        QCOMPARE(listLines(Form3->ListBox1),
            QStringList { QStringLiteral("Wypisuje dowolny tekst na ekranie graficznym.") });
    }

    void textMatchingNothingKeepsTheLabels_data()
    {
        QTest::addColumn<QString>("text");
        QTest::newRow("capital") << "Pisz";
        QTest::newRow("leading blank") << " pisz";
        QTest::newRow("trailing blank") << "pisz ";
        QTest::newRow("emptied") << "";
    }
    void textMatchingNothingKeepsTheLabels()
    {
        QFETCH(QString, text);
        Form3->ComboBox1->setCurrentIndex(Form3->ComboBox1->findText(QStringLiteral("pisz")));
        QCOMPARE(Form3->ListBox1->count(), 1);
        Form3->ComboBox1->lineEdit()->setText(text);
        QCOMPARE(Form3->ListBox1->count(), 0);
        QCOMPARE(Form3->Label5->text(), QStringLiteral("Pisz"));
        QCOMPARE(Form3->Label6->text(), QStringLiteral("pisz"));
        QCOMPARE(Form3->Label7->text(), QStringLiteral("Tekst"));
    }

    void editorEntryIsReachedByTyping()
    {
        Form3->ComboBox1->lineEdit()->selectAll();
        QTest::keyClicks(Form3->ComboBox1, QStringLiteral("tekst"));
        QCOMPARE(Form3->Label5->text(), QStringLiteral("Edytor tekstów"));
        QCOMPARE(Form3->Label6->text(), QStringLiteral("tekst"));
        QCOMPARE(Form3->Label7->text(), QStringLiteral("Brak"));
        QCOMPARE(listLines(Form3->ListBox1), QStringList { QStringLiteral("Uruchamia prosty edytor tekstów.") });
        QCOMPARE(Form3->ComboBox1->count(), 36); // typing adds nothing to the list
    }

    void listIsEmptiedBeforeEachLookup()
    {
        Form3->ComboBox1->setCurrentIndex(Form3->ComboBox1->findText(QStringLiteral("czyśćtekstczasowo")));
        QCOMPARE(Form3->ListBox1->count(), 8);
        QCOMPARE(Form3->Label7->text(), QStringLiteral("   czas"));
        Form3->ComboBox1->setCurrentIndex(Form3->ComboBox1->findText(QStringLiteral("cs")));
        QCOMPARE(listLines(Form3->ListBox1),
            QStringList { QStringLiteral("Czyści ekran graficzny. Ustawia żółwia w pozycji 0 0.") });
    }

    void selectingALineAsksToChooseAProcedure()
    {
        QListWidget* list = Form3->ListBox1;
        // An empty list: a click selects nothing and says nothing.
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, QPoint(20, 5));
        QVERIFY(dialogs->shown().isEmpty());

        Form3->ComboBox1->setCurrentIndex(Form3->ComboBox1->findText(QStringLiteral("wychodz")));
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, list->visualItemRect(list->item(1)).center());
        QCOMPARE(dialogs->messages(), QStringList { QStringLiteral("Wybierz procedurę!") });
        QCOMPARE(dialogs->shown().first().caption, QStringLiteral("Kavrino"));

        list->setFocus();
        QTest::keyClick(list, Qt::Key_Down);
        QCOMPARE(dialogs->messages().size(), 2);
        QCOMPARE(list->count(), 4);
        QCOMPARE(Form3->Label5->text(), QStringLiteral("Wychodz"));
    }

    void authorLabelShowsTheOneAboutBox()
    {
        QVERIFY(!AboutBox->isVisible());
        QTest::mouseClick(Form3->Label9, Qt::LeftButton);
        QVERIFY(AboutBox->isVisible());
        QTest::mouseClick(Form3->Label9, Qt::LeftButton);
        int aboutBoxes = 0;
        for (QWidget* window : QApplication::topLevelWidgets())
            aboutBoxes += qobject_cast<TAboutBox*>(window) ? 1 : 0;
        QCOMPARE(aboutBoxes, 1);
        QVERIFY(AboutBox->isVisible());
    }

    void hidingKeepsEverything()
    {
        Form3->ComboBox1->lineEdit()->selectAll();
        QTest::keyClicks(Form3->ComboBox1, QStringLiteral("nowy folder"));
        const QStringList lines = listLines(Form3->ListBox1);
        QCOMPARE(lines.size(), 4);
        QTest::mouseClick(Form3->Button1, Qt::LeftButton);
        QVERIFY(!Form3->isVisible());
        platform::showForm(Form3);
        QVERIFY(Form3->isVisible());
        QCOMPARE(Form3->ComboBox1->currentText(), QStringLiteral("nowy folder"));
        QCOMPARE(Form3->Label5->text(), QStringLiteral("Nowy folder"));
        QCOMPARE(Form3->Label7->text(), QStringLiteral("Ścieżka"));
        QCOMPARE(listLines(Form3->ListBox1), lines);
    }

private:
    std::unique_ptr<testing::ScriptedDialogs> dialogs;
};

QTEST_MAIN(TestReferenceWindow)
#include "tst_reference_window.moc"
