// The main window around the interpreter: its start, its timers, the turtle pictures, the menus,
// the label clicks and printing.
#include "ConsoleFixture.h"

#include <QMenuBar>
#include <QScrollBar>
#include <QTemporaryDir>
#include <QTimer>

class TestKavrinoMainWindow : public QObject {
    Q_OBJECT

    std::unique_ptr<ConsoleFixture> console;

    static QString visiblePictures()
    {
        QStringList names;
        const QList<std::pair<QString, platform::PictureControl*>> pictures { { "Image2", Form1->Image2 },
            { "Image3", Form1->Image3 }, { "Image4", Form1->Image4 }, { "Image5", Form1->Image5 } };
        for (const auto& [name, image] : pictures)
            if (image->isVisibleTo(Form1))
                names << name;
        return names.join(u' ');
    }
    static bool isBlack(QRgb pixel) { return qGray(pixel) < 64; }

private slots:
    void init() { console = std::make_unique<ConsoleFixture>(); }
    void cleanup() { console.reset(); }

    void startState()
    {
        QCOMPARE(console->screen(), (QStringList { "Witaj w Kavrino!", "Autor: Kwintel", "" }));
        QCOMPARE(Form1->Edit1->text(), QString());
        QCOMPARE(Form1->windowTitle(), QStringLiteral("Kavrino"));
        QVERIFY(Form1->windowState() & Qt::WindowMaximized);
        QVERIFY(!(Form1->windowFlags() & Qt::WindowMaximizeButtonHint));
        QCOMPARE(visiblePictures(), QStringLiteral("Image2 Image3 Image4 Image5"));
        QCOMPARE(Form1->Image2->geometry(), QRect(104, 64, 15, 18));
        QCOMPARE(Form1->Image3->geometry(), QRect(160, 72, 24, 16));
        QCOMPARE(Form1->Image4->geometry(), QRect(224, 72, 16, 24));
        QCOMPARE(Form1->Image5->geometry(), QRect(272, 88, 24, 16));
        QCOMPARE(Form1->Zolw1->geometry(), QRect(0, 0, 801, 417));
        QCOMPARE(Form1->ListBox1->geometry(), QRect(8, 416, 689, 105));
        QCOMPARE(Form1->Edit1->geometry(), QRect(8, 528, 689, 23));
        QCOMPARE(Form1->Button1->text(), QStringLiteral("OK!"));
        QVERIFY(!Form1->Label6->isVisibleTo(Form1));
        QVERIFY(Form1->Timer1->isRunning());
        QCOMPARE(Form1->Timer1->interval(), 300);
        QVERIFY(Form1->Timer2->isRunning());
        QVERIFY(!Form1->Timer3->enabled());
        QCOMPARE(Form1->Timer3->interval(), 100000);

        Form1->Timer1Timer();
        QCOMPARE(Form1->windowTitle(), QStringLiteral("K"));
        QCOMPARE(visiblePictures(), QStringLiteral("Image2"));
        QCOMPARE(Form1->Image2->pos(), QPoint(0, 0));
    }

    void turtlePicturesHaveTheirShape_data()
    {
        QTest::addColumn<int>("index");
        QTest::addColumn<QPoint>("tip");
        QTest::addColumn<QLine>("redBase");
        QTest::newRow("up") << 2 << QPoint(7, 0) << QLine(1, 16, 13, 16);
        QTest::newRow("right") << 3 << QPoint(23, 7) << QLine(2, 1, 2, 13);
        QTest::newRow("down") << 4 << QPoint(7, 23) << QLine(1, 7, 13, 7);
        QTest::newRow("left") << 5 << QPoint(0, 7) << QLine(21, 1, 21, 13);
    }
    void turtlePicturesHaveTheirShape()
    {
        QFETCH(int, index);
        QFETCH(QPoint, tip);
        QFETCH(QLine, redBase);
        const platform::PictureControl* images[] = { Form1->Image2, Form1->Image3, Form1->Image4, Form1->Image5 };
        const QImage picture = images[index - 2]->picture().image();
        QCOMPARE(
            picture.pixel(0, picture.height() - 1) | picture.pixel(picture.width() - 1, 0), QColor(Qt::white).rgb());
        QVERIFY(isBlack(picture.pixel(tip)));
        int red = 0;
        for (int y = 0; y < picture.height(); ++y)
            for (int x = 0; x < picture.width(); ++x)
                red += picture.pixel(x, y) == QColor(Qt::red).rgb();
        QCOMPARE(red, 13);
        QCOMPARE(picture.pixel(redBase.p1()), QColor(Qt::red).rgb());
        QCOMPARE(picture.pixel(redBase.p2()), QColor(Qt::red).rgb());
    }

    void captionCyclesInEightTicks()
    {
        QStringList captions;
        for (int tick = 0; tick < 9; ++tick) {
            Form1->Timer1Timer();
            captions << Form1->windowTitle();
        }
        QCOMPARE(captions, (QStringList { "K", "Ka", "Kavr", "Kavri", "Kavrin", "Kavrino", "Kavrino", "", "K" }));
        QCOMPARE(Form1->CaptionTick, 1);
    }

    void headingRewriteAndPictureChoice_data()
    {
        QTest::addColumn<QStringList>("input");
        QTest::addColumn<int>("headingAfterTick");
        QTest::addColumn<QString>("visible");
        QTest::newRow("start") << QStringList {} << 180 << "Image2";
        QTest::newRow("-90 becomes 270") << QStringList { "pw", "270" } << 270 << "Image5";
        QTest::newRow("-180 becomes 180") << QStringList { "pw", "360" } << 180 << "Image2";
        QTest::newRow("90") << QStringList { "pw", "90" } << 90 << "Image3";
        QTest::newRow("0") << QStringList { "pw", "180" } << 0 << "Image4";
        QTest::newRow("135 keeps the last picture") << QStringList { "pw", "45" } << 135 << "Image2";
        QTest::newRow("450 is not rewritten") << QStringList { "lw", "270" } << 450 << "Image2";
        QTest::newRow("-270 is not rewritten") << QStringList { "pw", "450" } << -270 << "Image2";
        QTest::newRow("hidden") << QStringList { "sż", "pw", "90" } << 90 << "";
        QTest::newRow("shown again at 90") << QStringList { "sż", "pw", "90", "pż" } << 90 << "Image3";
        QTest::newRow("shown again at 135") << QStringList { "sż", "pw", "45", "pż" } << 135 << "";
    }
    void headingRewriteAndPictureChoice()
    {
        QFETCH(QStringList, input);
        QFETCH(int, headingAfterTick);
        QFETCH(QString, visible);
        Form1->Timer1Timer(); // the picture of the start heading
        console->enterAll(input);
        console->enterAll({ "nowexy", "30", "40" });
        Form1->Timer1Timer();
        QCOMPARE(Form1->Zolw1->Kat(), headingAfterTick);
        QCOMPARE(visiblePictures(), visible);
        for (const platform::PictureControl* image : { Form1->Image2, Form1->Image3, Form1->Image4, Form1->Image5 })
            QCOMPARE(image->pos(), QPoint(30, 40));
    }

    void pictureFollowsTheTurtleBetweenStraightHeadings()
    {
        Form1->Timer1Timer();
        console->enterAll({ "pw", "45", "np", "10" });
        Form1->Timer1Timer();
        QCOMPARE(visiblePictures(), QStringLiteral("Image2"));
        QCOMPARE(Form1->Image2->pos(), QPoint(Form1->Zolw1->X(), Form1->Zolw1->Y()));
        console->enterAll({ "pw", "45" });
        Form1->Timer1Timer();
        QCOMPARE(visiblePictures(), QStringLiteral("Image3"));
    }

    void timedClearingEmptiesTheScreen()
    {
        console->enterAll({ "czyśćtekstczasowo", "1", "30" });
        QVERIFY(Form1->Timer3->isRunning());
        QCOMPARE(Form1->Timer3->interval(), 30);
        QTRY_COMPARE(Form1->ListBox1->count(), 0);
        console->enterAll({ "czyśćtekstczasowo", "2" });
        QVERIFY(!Form1->Timer3->enabled());
        QTest::qWait(80);
        QCOMPARE(console->screen(),
            (QStringList { "Czy chcesz uruchomić funkcję czyszczenia czasowego ?", "1 - tak  2 - nie",
                "Funcja czyszczenia czasowego została wyłączona!" }));
    }

    // No positive interval: the rest of the row happens, but the timer never fires.
    void timedClearingWithoutPositiveIntervalNeverFires_data()
    {
        QTest::addColumn<QString>("interval");
        QTest::newRow("zero") << "0";
        QTest::newRow("negative") << "-100";
    }
    void timedClearingWithoutPositiveIntervalNeverFires()
    {
        QFETCH(QString, interval);
        console->enterAll({ "czyśćtekstczasowo", "1", interval });
        QVERIFY(Form1->Timer3->enabled());
        QVERIFY(!Form1->Timer3->isRunning());
        QTest::qWait(50);
        QCOMPARE(console->screen().mid(console->screen().size() - 2), (QStringList { "Ustalony czas:", interval }));
        QCOMPARE(console->screen().size(), 9);
    }

    void clockShowsTheTime()
    {
        QCOMPARE(Form1->Label5->text(), QStringLiteral("Time"));
        platform::setFixedDateTime(QDateTime(QDate(2024, 1, 2), QTime(21, 22, 23)));
        Form1->Timer2Timer();
        QCOMPARE(Form1->Label5->text(), platform::longTimeText(QTime(21, 22, 23)));
        QCOMPARE(Form1->Label5->size(), Form1->Label5->sizeHint());
    }

    void labelClicks()
    {
        QTest::mouseClick(Form1->Label3, Qt::LeftButton);
        QVERIFY(AboutBox->isVisible());
        AboutBox->hide();
        QTest::mouseClick(Form1->Label4, Qt::LeftButton);
        QVERIFY(AboutBox->isVisible());
        QTest::mouseClick(Form1->Label5, Qt::LeftButton);
        QCOMPARE(console->dialogs.messages(), QStringList { "To jest aktualna godzina." });
        QCOMPARE(console->dialogs.shown().constFirst().caption, QStringLiteral("Kavrino"));
    }

    void menuLayout()
    {
        QStringList titles;
        for (QAction* menu : Form1->MainMenu1->actions()) {
            QStringList items;
            for (QAction* item : menu->menu()->actions())
                items << (item->isSeparator() ? QStringLiteral("-") : item->text());
            titles << menu->text() + ": " + items.join(u',');
        }
        QCOMPARE(
            titles, (QStringList { "Plik: Nowy,Otwórz,Zapisz,Drukuj,-,Wyjście", "Pomoc: Spis procedur,O programie" }));
    }

    void menuNewClearsTheScreenButKeepsTheQuestion()
    {
        console->enterAll({ "pisztekst", "abc", "nowexy", "5", "6", "np" });
        ConsoleFixture::type(Form1->Edit1, QStringLiteral("77"));
        Form1->Nowy1->trigger();
        QVERIFY(Form1->Zolw1->picture().isEmpty());
        QVERIFY(!Form1->Label6->isVisibleTo(Form1));
        QCOMPARE(Form1->Edit1->text(), QString());
        QCOMPARE(console->screen().constLast(), QStringLiteral("Ekran graficzny został wyczyszczony."));
        QCOMPARE(Form1->Zolw1->X(), 0);
        QCOMPARE(Form1->Zolw1->Kat(), 180);
        QCOMPARE(Form1->Zolw1->Krok(), 0);
        QCOMPARE(Form1->PendingState, 13);
    }

    void menuOpenAndSave()
    {
        QTemporaryDir dir;
        const QString saved = dir.filePath(QStringLiteral("obraz.bmp"));
        // An untouched canvas writes nothing and reports nothing.
        console->dialogs.answerFile(saved);
        Form1->Zapisz1->trigger();
        QVERIFY(!QFile::exists(saved));
        const testing::ShownDialog save = console->dialogs.shown().constLast();
        QCOMPARE(save.kind, testing::ShownDialog::Kind::SavePicture);
        QCOMPARE(save.fileOptions.fileName, QStringLiteral("*.bmp"));
        QCOMPARE(save.fileOptions.defaultExtension, QStringLiteral("bmp"));
        QCOMPARE(save.fileOptions.filter, QStringLiteral("Bitmaps (*.bmp)|*.bmp|PNG (*.png)|*.png"));

        console->enterAll({ "pw", "90", "np", "50" });
        console->dialogs.answerFile(saved);
        Form1->Zapisz1->trigger();
        QImage written(saved);
        QCOMPARE(written.size(), QSize(801, 417));
        QVERIFY(isBlack(written.pixel(10, 0)));

        Form1->Nowy1->trigger();
        const int lines = Form1->ListBox1->count();
        console->dialogs.answerFile(saved);
        Form1->Otwrz1->trigger();
        QVERIFY(isBlack(Form1->Zolw1->picture().image().pixel(10, 0)));
        QCOMPARE(Form1->ListBox1->count(), lines);

        // A drawing saved under a PNG name is a PNG file, and opens again.
        const QString png = dir.filePath(QStringLiteral("obraz.png"));
        console->dialogs.answerFile(png);
        Form1->Zapisz1->trigger();
        QFile pngFile(png);
        QVERIFY(pngFile.open(QIODevice::ReadOnly));
        QVERIFY(pngFile.readAll().startsWith("\x89PNG"));
        Form1->Nowy1->trigger();
        console->dialogs.answerFile(png);
        Form1->Otwrz1->trigger();
        QVERIFY(isBlack(Form1->Zolw1->picture().image().pixel(10, 0)));
        QCOMPARE(Form1->Zolw1->picture().image().size(), QSize(801, 417));

        // A file that cannot be loaded leaves the canvas as it was.
        const QString bad = dir.filePath(QStringLiteral("zly.bmp"));
        QFile file(bad);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write("not a bitmap");
        file.close();
        console->dialogs.answerFile(bad);
        Form1->Otwrz1->trigger();
        QCOMPARE(console->dialogs.errors(), QStringList { "Bitmap image is not valid." });
        QVERIFY(isBlack(Form1->Zolw1->picture().image().pixel(10, 0)));
    }

    void menuQuitCancelledAndWindowItems()
    {
        Form1->show();
        console->dialogs.answerYesNo(false);
        Form1->Wyjcie2->trigger();
        const testing::ShownDialog asked = console->dialogs.shown().constLast();
        QCOMPARE(asked.kind, testing::ShownDialog::Kind::YesNo);
        QCOMPARE(asked.caption, QStringLiteral("Confirm"));
        QCOMPARE(asked.text, QStringLiteral("Czy napewno chcesz wyjść ?"));
        QCOMPARE(asked.icon, platform::MessageIcon::Question);
        QTest::qWait(20);
        QVERIFY(Form1->isVisible());

        Form1->Spisprocedur1->trigger();
        QVERIFY(Form3->isVisible());
        Form1->Oprogramie1->trigger();
        QVERIFY(AboutBox->isVisible());
    }

    // --- Printing

    void printCommandAndMenu_data()
    {
        QTest::addColumn<bool>("fromMenu");
        QTest::addColumn<bool>("confirmed");
        QTest::addColumn<bool>("dialogShown");
        QTest::newRow("drukuj, confirmed") << false << true << true;
        QTest::newRow("drukuj, cancelled: progress shown anyway") << false << false << true;
        QTest::newRow("menu, confirmed") << true << true << true;
        QTest::newRow("menu, cancelled: nothing shown") << true << false << false;
    }
    void printCommandAndMenu()
    {
        QFETCH(bool, fromMenu);
        QFETCH(bool, confirmed);
        QFETCH(bool, dialogShown);
        console->enterAll({ "pw", "90", "np", "400" });
        console->dialogs.answerPrinter(confirmed);
        if (fromMenu)
            Form1->N1->trigger();
        else
            console->enter(QStringLiteral("drukuj"));

        QCOMPARE(OKBottomDlg->isVisible(), dialogShown);
        QCOMPARE(console->dialogs.count(testing::ShownDialog::Kind::Printer), 1);
        QCOMPARE(console->printer.target().started, confirmed ? 1 : 0);
        QCOMPARE(console->printer.target().ended, confirmed ? 1 : 0);
        QVERIFY(console->dialogs.errors().isEmpty());
        if (!fromMenu)
            QCOMPARE(console->screen().constLast(), QStringLiteral("drukuj"));
        if (!confirmed)
            return;
        QCOMPARE(Form1->PrintRect, QRect(0, 0, 800, 600));
        // The 801 by 417 canvas is stretched into 800 by 600: its top row of 400 pixels is the
        // page's top row of about 400, and nothing lies outside the area.
        const QImage page = console->printer.target().pages.constFirst();
        QVERIFY(isBlack(page.pixel(10, 0)));
        QVERIFY(isBlack(page.pixel(390, 0)));
        QVERIFY(!isBlack(page.pixel(410, 0)));
        QVERIFY(!isBlack(page.pixel(200, 5)));
        QCOMPARE(page.pixel(802, 0), QColor(Qt::white).rgb());
        QCOMPARE(page.pixel(10, 601), QColor(Qt::white).rgb());
    }

    // A line down the whole canvas is printed without a gap: the bands of the stretched picture
    // meet on whole device rows.
    void printedLineHasNoSeams()
    {
        console->enterAll({ "nowexy", "400", "0", "skieruj", "0", "np", "417" });
        console->dialogs.answerPrinter(true);
        console->enter(QStringLiteral("drukuj"));
        const QImage page = console->printer.target().pages.constFirst();
        QList<int> gaps;
        for (int y = 0; y < 600; ++y) {
            bool black = false;
            for (int x = 396; x <= 403; ++x)
                black = black || isBlack(page.pixel(x, y));
            if (!black)
                gaps << y;
        }
        QCOMPARE(gaps, QList<int>());
    }

    void emptyCanvasPrintsAnEmptyPage()
    {
        console->dialogs.answerPrinter(true);
        console->enter(QStringLiteral("drukuj"));
        QCOMPARE(console->printer.target().ended, 1);
        const QImage page = console->printer.target().pages.constFirst();
        QCOMPARE(page.pixel(400, 300), QColor(Qt::white).rgb());
    }

    void printerThatCannotStart()
    {
        console->printer.target().failToStart = true;
        console->dialogs.answerPrinter(true);
        console->enter(QStringLiteral("drukuj"));
        QVERIFY(OKBottomDlg->isVisible());
        QCOMPARE(console->dialogs.errors(), QStringList { "Printer selected is not valid." });
        QCOMPARE(console->screen().constLast(), QStringLiteral("drukuj"));
    }

    // An abort that arrives while the picture is handed over ends the job; ending it then fails.
    void abortDuringPrinting_data()
    {
        QTest::addColumn<bool>("fromMenu");
        QTest::newRow("drukuj") << false;
        QTest::newRow("menu") << true;
    }
    void abortDuringPrinting()
    {
        QFETCH(bool, fromMenu);
        console->enterAll({ "pw", "90", "np", "400" });
        console->dialogs.answerPrinter(true);
        QTimer::singleShot(0, [] { platform::printer().abort(); });
        if (fromMenu)
            Form1->N1->trigger();
        else
            console->enter(QStringLiteral("drukuj"));
        QCOMPARE(console->printer.target().aborted, 1);
        QCOMPARE(console->printer.target().ended, 0);
        QCOMPARE(console->dialogs.errors(), QStringList { "Printer is not currently printing." });
        QVERIFY(!platform::printer().printing());
    }

    // --- The text screen

    void appendingDoesNotScroll()
    {
        Form1->show();
        QVERIFY(QTest::qWaitForWindowExposed(Form1));
        for (int i = 0; i < 40; ++i)
            console->enterAll({ "pisz", QString::number(i) });
        QCoreApplication::processEvents();
        QCOMPARE(Form1->ListBox1->verticalScrollBar()->value(), 0);
        QVERIFY(Form1->ListBox1->verticalScrollBar()->maximum() > 0);
        QCOMPARE(Form1->ListBox1->itemHeight(), 15);
        QCOMPARE(Form1->ListBox1->verticalScrollBar()->pageStep(), 6); // 105 pixels less the frame
    }
};

QTEST_MAIN(TestKavrinoMainWindow)
#include "tst_kavrino_main_window.moc"
