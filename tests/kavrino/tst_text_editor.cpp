#include "kavrino/Unit4.h"
#include "platform/Application.h"
#include "platform/Forms.h"
#include "platform/Timer.h"
#include "support/FileSizeLimit.h"
#include "support/PipeWithoutWriter.h"
#include "support/RecordingPrinter.h"
#include "support/ScriptedDialogs.h"

#include <QAction>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <memory>

using testing::ShownDialog;

namespace {

// Sizes are points on a 96 dots-per-inch screen: 1 point is 1 pixel, 12 points are 16.
constexpr int defaultPixels = 11;

QByteArray fileContent(const QString& fileName)
{
    QFile file(fileName);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<missing>");
}

void writeFile(const QString& fileName, const QByteArray& bytes)
{
    QFile file(fileName);
    QVERIFY(file.open(QIODevice::WriteOnly));
    QCOMPARE(file.write(bytes), bytes.size());
}

bool hasInk(const QImage& page, const QRect& area)
{
    for (int y = area.top(); y <= area.bottom(); ++y)
        for (int x = area.left(); x <= area.right(); ++x)
            if (page.pixel(x, y) != qRgb(255, 255, 255))
                return true;
    return false;
}

} // namespace

class TestTextEditor : public QObject {
    Q_OBJECT

    std::unique_ptr<testing::ScriptedDialogs> dialogs;
    std::unique_ptr<QTemporaryDir> dir;

    void showEditor()
    {
        platform::showForm(Form4);
        QVERIFY(QTest::qWaitForWindowExposed(Form4));
    }
    // Replaces the size box's text in one change, as picking from the list does.
    void setSizeText(const QString& text) { Form4->ComboBox1->setEditText(text); }
    int memoPixels() const { return Form4->Memo1->font().pixelSize(); }

private slots:
    void initTestCase() { platform::Application::setTitle(QStringLiteral("Kavrino")); }

    void init()
    {
        dialogs = std::make_unique<testing::ScriptedDialogs>();
        dir = std::make_unique<QTemporaryDir>();
        Form4 = new TForm4;
    }

    void cleanup()
    {
        delete Form4;
        Form4 = nullptr;
        dir.reset();
        dialogs.reset();
    }

    void startsHiddenWithItsControls()
    {
        QVERIFY(!Form4->isVisible());
        QCOMPARE(Form4->windowTitle(), QStringLiteral("Edytor tekstu dla Kavrino"));
        QVERIFY(!(Form4->windowFlags() & Qt::WindowMaximizeButtonHint));
        QCOMPARE(Form4->Label2->text(), QStringLiteral("Wielkość czczionki:"));
        QCOMPARE(Form4->Label1->text(), QStringLiteral("by QW"));
        QCOMPARE(Form4->Button1->text(), QStringLiteral("Zmień czcionkę"));
        QCOMPARE(Form4->Memo1->geometry(), QRect(8, 40, 409, 289));
        QCOMPARE(Form4->Memo1->toPlainText(), QStringLiteral("\n"));
        QCOMPARE(Form4->Memo1->verticalScrollBarPolicy(), Qt::ScrollBarAlwaysOff);
        QCOMPARE(Form4->Memo1->lineWrapMode(), QPlainTextEdit::WidgetWidth);
        QCOMPARE(memoPixels(), defaultPixels);

        QCOMPARE(Form4->ComboBox1->currentText(), QStringLiteral("Wybierz"));
        QStringList sizes;
        for (int i = 0; i < Form4->ComboBox1->count(); ++i)
            sizes << Form4->ComboBox1->itemText(i);
        QCOMPARE(sizes, QStringList({"5", "7", "9", "10", "12", "14", "16", "18", "20"}));

        QStringList items;
        for (const QAction* action : Form4->Plik1->actions()) {
            items << action->text();
            QVERIFY(action->shortcut().isEmpty());
        }
        QCOMPARE(Form4->Plik1->title(), QStringLiteral("Plik"));
        QCOMPARE(items, QStringList({"Nowy", "Otwórz", "Zapisz", "Drukuj", "", "Wyjście"}));
        QVERIFY(Form4->Plik1->actions().at(4)->isSeparator());

        // Nothing is waiting to be copied, so the 1 ms timer must not wake the program.
        QCOMPARE(Form4->Timer1->interval(), 1);
        QVERIFY(!Form4->Timer1->isRunning());
        QVERIFY(dialogs->shown().isEmpty());
    }

    void typingSetsTheSizeOfEveryPrefix()
    {
        showEditor();
        QList<int> sizes;
        connect(Form4->ComboBox1, &QComboBox::editTextChanged, this, [&] { sizes << memoPixels(); });
        Form4->ComboBox1->lineEdit()->selectAll();
        QTest::keyClicks(Form4->ComboBox1->lineEdit(), QStringLiteral("12"));
        QCOMPARE(sizes, QList<int>({1, 16}));
        QVERIFY(dialogs->shown().isEmpty());
        // Only the size changes.
        QCOMPARE(Form4->Memo1->font().families(), Form4->FontDialog1.font.families());
    }

    void pickingFromTheListIsOneChange()
    {
        QList<int> sizes;
        connect(Form4->ComboBox1, &QComboBox::editTextChanged, this, [&] { sizes << memoPixels(); });
        Form4->ComboBox1->setCurrentIndex(Form4->ComboBox1->findText(QStringLiteral("20")));
        QCOMPARE(sizes, QList<int>({27}));
        QVERIFY(dialogs->shown().isEmpty());
    }

    void sizesBeyondTheUsualRange_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("pixels");
        QTest::newRow("negative taken by its magnitude") << "-12" << 16;
        QTest::newRow("zero") << "0" << 1;
        QTest::newRow("hexadecimal") << "$10" << 21;
        QTest::newRow("largest integer") << "2147483647" << 1333;
        QTest::newRow("smallest integer") << "-2147483648" << 1333;
    }
    void sizesBeyondTheUsualRange()
    {
        QFETCH(QString, text);
        QFETCH(int, pixels);
        setSizeText(text);
        QCOMPARE(memoPixels(), pixels);
        QVERIFY(dialogs->shown().isEmpty());
    }

    void sizeTextThatIsNoNumber_data()
    {
        QTest::addColumn<QString>("start");
        QTest::addColumn<QTestEventList>("edit");
        QTest::addColumn<QString>("refused");
        QTest::addColumn<int>("pixels");

        QTestEventList emptied;
        emptied.addKeyClick(Qt::Key_A, Qt::ControlModifier);
        emptied.addKeyClick(Qt::Key_Backspace);
        QTest::newRow("emptied box") << "12" << emptied << "" << 16;

        QTestEventList letter;
        letter.addKeyClick(Qt::Key_End);
        letter.addKeyClicks(QStringLiteral("x"));
        QTest::newRow("edited starting text") << "Wybierz" << letter << "Wybierzx" << defaultPixels;

        QTestEventList sign;
        sign.addKeyClick(Qt::Key_A, Qt::ControlModifier);
        sign.addKeyClicks(QStringLiteral("-"));
        QTest::newRow("sign alone") << "20" << sign << "-" << 27;
    }
    void sizeTextThatIsNoNumber()
    {
        QFETCH(QString, start);
        QFETCH(QTestEventList, edit);
        QFETCH(QString, refused);
        QFETCH(int, pixels);
        showEditor();
        setSizeText(start);
        dialogs->clear();

        edit.simulate(Form4->ComboBox1->lineEdit());
        QCOMPARE(dialogs->errors(), QStringList{QStringLiteral("'%1' is not a valid integer value.").arg(refused)});
        QCOMPARE(dialogs->shown().constFirst().caption, QStringLiteral("Kavrino"));
        QCOMPARE(memoPixels(), pixels);
    }

    void fontDialogOkReachesTheTextWithinATick()
    {
        QFont serif(QStringLiteral("DejaVu Serif"), 14, QFont::Bold, true);
        serif.setUnderline(true);
        const platform::FontChoice chosen{serif, Qt::red};
        dialogs->answerFont(chosen);
        QTest::mouseClick(Form4->Button1, Qt::LeftButton);

        QCOMPARE(dialogs->count(ShownDialog::Kind::Font), 1);
        QCOMPARE(Form4->FontDialog1, chosen);
        QVERIFY(Form4->Timer1->isRunning());
        QTRY_COMPARE_WITH_TIMEOUT(Form4->memoFont(), chosen, 1000);
        // Copied once; no more ticks after it.
        QVERIFY(!Form4->Timer1->isRunning());
    }

    void fontDialogCancelChangesNothing()
    {
        setSizeText(QStringLiteral("20"));
        const platform::FontChoice before = Form4->memoFont();
        const platform::FontChoice dialogFont = Form4->FontDialog1;
        dialogs->answerFont(std::nullopt);
        QTest::mouseClick(Form4->Button1, Qt::LeftButton);

        QCOMPARE(dialogs->count(ShownDialog::Kind::Font), 1);
        QVERIFY(!Form4->Timer1->isRunning());
        QTest::qWait(20);
        QCOMPARE(Form4->memoFont(), before);
        QCOMPARE(Form4->FontDialog1, dialogFont);
    }

    void boxSizeLastsUntilTheNextConfirmedDialog()
    {
        setSizeText(QStringLiteral("20"));
        QTest::qWait(20);
        QCOMPARE(memoPixels(), 27);

        // Confirming the dialog's font unchanged still brings it to the text.
        dialogs->answerFont(Form4->FontDialog1);
        QTest::mouseClick(Form4->Button1, Qt::LeftButton);
        QTRY_COMPARE_WITH_TIMEOUT(memoPixels(), defaultPixels, 1000);
        QCOMPARE(Form4->memoFont(), Form4->FontDialog1);
    }

    void nowyEmptiesWithoutAsking()
    {
        Form4->Memo1->setPlainText(QStringLiteral("linia\n").repeated(2000));
        Form4->Nowy1->trigger();
        QCOMPARE(Form4->Memo1->toPlainText(), QString());
        QVERIFY(dialogs->shown().isEmpty());
    }

    void textAndFontSurviveHiding_data()
    {
        QTest::addColumn<bool>("closeBox");
        QTest::newRow("Wyjście") << false;
        QTest::newRow("close box") << true;
    }
    void textAndFontSurviveHiding()
    {
        QFETCH(bool, closeBox);
        QPointer<TForm4> form = Form4;
        showEditor();
        Form4->Memo1->setFocus();
        QTest::keyClicks(Form4->Memo1, QStringLiteral("Zolw rysuje"));
        setSizeText(QStringLiteral("14"));
        const QString text = Form4->Memo1->toPlainText();
        QVERIFY(text.contains(QStringLiteral("Zolw rysuje")));

        if (closeBox)
            Form4->close();
        else
            Form4->Wyjcie2->trigger();
        QVERIFY(form); // hidden, not destroyed
        QVERIFY(!Form4->isVisible());

        showEditor();
        QCOMPARE(Form4->Memo1->toPlainText(), text);
        QCOMPARE(memoPixels(), 19);
        QCOMPARE(Form4->ComboBox1->currentText(), QStringLiteral("14"));
        QVERIFY(dialogs->shown().isEmpty());
    }

    void saveAndOpenPolishText()
    {
        const QString fileName = dir->filePath(QStringLiteral("wiersz.txt"));
        const QString text = QStringLiteral("Zażółć gęślą jaźń\n\nŁódź, Kraków\n");
        Form4->Memo1->setPlainText(text);
        dialogs->answerFile(fileName);
        Form4->Zapisz1->trigger();
        QCOMPARE(fileContent(fileName), text.toUtf8());

        Form4->Nowy1->trigger();
        dialogs->answerFile(fileName);
        Form4->Otwrz1->trigger();
        QCOMPARE(Form4->Memo1->toPlainText(), text);
        QVERIFY(dialogs->errors().isEmpty());

        const QList<ShownDialog>& shown = dialogs->shown();
        QCOMPARE(shown.size(), 2);
        for (const ShownDialog& dialog : shown) {
            QCOMPARE(dialog.fileOptions.filter, QStringLiteral("*.txt|*.txt"));
            QCOMPARE(dialog.fileOptions.defaultExtension, QStringLiteral("txt"));
            QCOMPARE(dialog.fileOptions.fileName, QStringLiteral("*.txt"));
        }
        QCOMPARE(shown.at(0).kind, ShownDialog::Kind::SaveFile);
        QCOMPARE(shown.at(0).caption, QStringLiteral("Zapisz"));
        QCOMPARE(shown.at(1).kind, ShownDialog::Kind::OpenFile);
        QCOMPARE(shown.at(1).caption, QStringLiteral("Otwórz"));

        // Each dialog offers the file it gave last time.
        Form4->Zapisz1->trigger();
        QCOMPARE(dialogs->shown().constLast().fileOptions.fileName, fileName);
    }

    void openReadsOtherEncodings_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QString>("text");
        QTest::newRow("windows-1250 with crlf")
            << QByteArray("\xA3\xF3\x64\x9F\r\n\xBF\xF3\xB3w\r\n") << QStringLiteral("Łódź\nżółw\n");
        QTest::newRow("utf-8 with byte-order mark") << QByteArray("\xEF\xBB\xBFŻółw") << QStringLiteral("Żółw");
    }
    void openReadsOtherEncodings()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(QString, text);
        const QString fileName = dir->filePath(QStringLiteral("stary.txt"));
        writeFile(fileName, bytes);
        dialogs->answerFile(fileName);
        Form4->Otwrz1->trigger();
        QCOMPARE(Form4->Memo1->toPlainText(), text);
    }

    void openThatFailsKeepsTheText_data()
    {
        QTest::addColumn<bool>("cancelled");
        QTest::addColumn<bool>("pipe");
        QTest::newRow("cancelled") << true << false;
        QTest::newRow("missing file") << false << false;
        QTest::newRow("pipe without writer") << false << true;
    }
    void openThatFailsKeepsTheText()
    {
        QFETCH(bool, cancelled);
        QFETCH(bool, pipe);
        const QString missing = dir->filePath(QStringLiteral("brak.txt"));
        const testing::PipeWithoutWriter writerless(pipe ? missing : dir->filePath(QStringLiteral("unused")));
        Form4->Memo1->setPlainText(QStringLiteral("mój tekst"));
        dialogs->answerFile(cancelled ? std::nullopt : std::optional<QString>(missing));
        Form4->Otwrz1->trigger();
        QCOMPARE(Form4->Memo1->toPlainText(), QStringLiteral("mój tekst"));
        if (cancelled) {
            QVERIFY(dialogs->errors().isEmpty());
        } else {
            QCOMPARE(dialogs->errors().size(), 1);
            QVERIFY(
                dialogs->errors().constFirst().startsWith(QStringLiteral("Cannot open file \"%1\". ").arg(missing)));
        }
    }

    void failedSaveKeepsTheOldFile()
    {
        const QString fileName = dir->filePath(QStringLiteral("notatki.txt"));
        writeFile(fileName, "stary tekst\n");
        const QString text = QStringLiteral("nowy tekst, dłuższy niż pozwala dysk\n").repeated(200);
        Form4->Memo1->setPlainText(text);
        dialogs->answerFile(fileName);
        {
            const testing::FileSizeLimit fullDisc(1024);
            Form4->Zapisz1->trigger();
        }
        QCOMPARE(dialogs->errors().size(), 1);
        const QString error = dialogs->errors().constFirst();
        QCOMPARE(error, QStringLiteral("Cannot create file \"%1\". File too large.").arg(fileName));
        QCOMPARE(fileContent(fileName), QByteArray("stary tekst\n"));
        QCOMPARE(QDir(dir->path()).entryList(QDir::Files), QStringList{QStringLiteral("notatki.txt")});
        QCOMPARE(Form4->Memo1->toPlainText(), text);
    }

    void printsOnPagesWithMargins()
    {
        testing::RecordingPrinter recording;
        // Short lines, and one long line that has to wrap at the margin.
        const QString text = QStringLiteral("linia %1\n").repeated(150).arg(1) + QStringLiteral("słowo ").repeated(120);
        Form4->Memo1->setPlainText(text);
        setSizeText(QStringLiteral("12"));
        dialogs->answerPrinter(true);
        Form4->N1->trigger();

        QVERIFY(dialogs->errors().isEmpty());
        QCOMPARE(dialogs->count(ShownDialog::Kind::Printer), 1);
        const testing::RecordingPrintTarget& target = recording.target();
        QCOMPARE(target.started, 1);
        QCOMPARE(target.ended, 1);
        QCOMPARE(target.titles, QStringList{QStringLiteral("Edytor tekstu dla Kavrino")});
        QVERIFY2(target.pages.size() >= 3, qPrintable(QString::number(target.pages.size())));

        const QRect pageRect(QPoint(0, 0), testing::RecordingPrintTarget::pageSize);
        const int margin = qRound(15.0 / 25.4 * target.pages.constFirst().logicalDpiX()) - 1;
        const QRect inside = pageRect.adjusted(margin, margin, -margin, -margin);
        for (const QImage& page : target.pages) {
            QVERIFY(hasInk(page, inside));
            QVERIFY(!hasInk(page, QRect(0, 0, pageRect.width(), margin)));
            QVERIFY(!hasInk(page, QRect(0, inside.bottom() + 1, pageRect.width(), margin)));
            QVERIFY(!hasInk(page, QRect(0, 0, margin, pageRect.height())));
            QVERIFY(!hasInk(page, QRect(inside.right() + 1, 0, margin, pageRect.height())));
        }
        QVERIFY(!recording.printer().printing());
    }

    void printThatDoesNotHappen_data()
    {
        QTest::addColumn<bool>("confirmed");
        QTest::addColumn<QStringList>("errors");
        QTest::newRow("dialog cancelled") << false << QStringList();
        QTest::newRow("printer fails to start")
            << true << QStringList{QStringLiteral("Printer selected is not valid.")};
    }
    void printThatDoesNotHappen()
    {
        QFETCH(bool, confirmed);
        QFETCH(QStringList, errors);
        testing::RecordingPrinter recording;
        recording.target().failToStart = true;
        dialogs->answerPrinter(confirmed);
        Form4->N1->trigger();
        QCOMPARE(dialogs->errors(), errors);
        QCOMPARE(recording.target().started, 0);
        QVERIFY(!recording.printer().printing());
    }
};

QTEST_MAIN(TestTextEditor)
#include "tst_text_editor.moc"
