// The command interpreter driven as a user drives it: lines typed into the input line and
// confirmed with Enter, answers read from the text screen and the error reports.
#include "ConsoleFixture.h"

#include "platform/Cursor.h"

#include <QClipboard>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>

class TestKavrinoInterpreter : public QObject {
    Q_OBJECT

    std::unique_ptr<ConsoleFixture> console;

    static QString turtle()
    {
        const TZolw* z = Form1->Zolw1;
        return QStringLiteral("%1 %2 %3 %4").arg(z->X()).arg(z->Y()).arg(z->Kat()).arg(z->Krok());
    }
    static QString notInteger(const QString& text)
    {
        return QStringLiteral("'%1' is not a valid integer value.").arg(text);
    }

private slots:
    void init()
    {
        console = std::make_unique<ConsoleFixture>();
        Form1->ListBox1->clear(); // the greeting has its own test
    }
    void cleanup() { console.reset(); }

    void scenarios_data()
    {
        QTest::addColumn<QStringList>("input");
        QTest::addColumn<QStringList>("expectedScreen");
        QTest::addColumn<int>("state");
        QTest::addColumn<QStringList>("errors");
        QTest::addColumn<QString>("edit");
        QTest::addColumn<QString>("turtleAfter"); // "X Y Kat Krok", empty: not checked

        const QString ask = QStringLiteral("Podaj parametr:");
        const QString angle = QStringLiteral("Podaj kąt:");
        const QString walked = QStringLiteral("Żółw poszedł do przodu o :");
        const QString unknown = QStringLiteral("Błąd nie wiem jak wykonać:");
        const QString question = QStringLiteral("Czy chcesz uruchomić funkcję czyszczenia czasowego ?");
        const QString answers = QStringLiteral("1 - tak  2 - nie");
        const QString cleared = QStringLiteral("Ekran graficzny został wyczyszczony.");
        const QString missingFile
            = QStringLiteral("The specified file cannot be found. Make sure the path and filename are correct.");

        QTest::newRow("upper-case word") << QStringList { "NP" } << QStringList { unknown + "NP" } << 0
                                         << QStringList {} << ""
                                         << "0 0 180 10";
        QTest::newRow("blank before word")
            << QStringList { " np" } << QStringList { unknown + " np" } << 0 << QStringList {} << ""
            << "";
        QTest::newRow("empty line") << QStringList { "" } << QStringList { unknown } << 0 << QStringList {} << ""
                                    << "";
        QTest::newRow("np then cs: step length stays asked")
            << QStringList { "np", "cs" } << QStringList { ask } << 13 << QStringList { notInteger("cs") } << "cs"
            << "0 0 180 10";
        QTest::newRow("np, cs, 20") << QStringList { "np", "cs", "20" } << QStringList { ask, walked + "20" } << 0
                                    << QStringList { notInteger("cs") } << ""
                                    << "0 417 180 20";
        QTest::newRow("np with a hex step")
            << QStringList { "np", "$10" } << QStringList { ask, walked + "$10" } << 0 << QStringList {} << ""
            << "0 417 180 16";
        QTest::newRow("lw, abc: the line is lost")
            << QStringList { "lw", "abc" } << QStringList { angle } << 0 << QStringList { notInteger("abc") } << "abc"
            << "0 0 180 10";
        QTest::newRow("lw, abc, abc") << QStringList { "lw", "abc", "abc" } << QStringList { angle, unknown + "abc" }
                                      << 0 << QStringList { notInteger("abc") } << ""
                                      << "";
        QTest::newRow("lw 90") << QStringList { "lw", "90" } << QStringList { angle, "90" } << 0 << QStringList {} << ""
                               << "0 0 270 10";
        QTest::newRow("pw 90, kąt") << QStringList { "pw", "90", "kąt" }
                                    << QStringList { angle, "90", "Aktualny kąt żółwia to:90" } << 0 << QStringList {}
                                    << ""
                                    << "0 0 90 10";
        QTest::newRow("pw 270 before the tick")
            << QStringList { "pw", "270", "kąt" } << QStringList { angle, "270", "Aktualny kąt żółwia to:-90" } << 0
            << QStringList {} << ""
            << "0 0 -90 10";
        QTest::newRow("skieruj 45") << QStringList { "skieruj", "45" }
                                    << QStringList { "skieruj", angle, "Skierowano żółwia na kąt:45" } << 0
                                    << QStringList {} << ""
                                    << "0 0 45 10";
        QTest::newRow("skieruj, bad number") << QStringList { "skieruj", "x" } << QStringList { "skieruj", angle } << 0
                                             << QStringList { notInteger("x") } << "x"
                                             << "0 0 180 10";
        QTest::newRow("nowexy 100 50") << QStringList { "nowexy", "100", "50" }
                                       << QStringList { "Podaj współrzędną X:", "100", "Podaj współrzędną Y:", "50" }
                                       << 0 << QStringList {} << ""
                                       << "100 50 180 10";
        QTest::newRow("nowexy, bad X asks again")
            << QStringList { "nowexy", "x" } << QStringList { "Podaj współrzędną X:" } << 11
            << QStringList { notInteger("x") } << "x"
            << "0 0 180 10";
        QTest::newRow("nowexy, bad Y asks again")
            << QStringList { "nowexy", "100", "y" }
            << QStringList { "Podaj współrzędną X:", "100", "Podaj współrzędną Y:" } << 12
            << QStringList { notInteger("y") } << "y"
            << "100 0 180 10";
        QTest::newRow("pozx, pozy") << QStringList { "nowexy", "7", "-3", "pozx", "pozy" }
                                    << QStringList { "Podaj współrzędną X:", "7", "Podaj współrzędną Y:", "-3",
                                           "Pozycja X żółwia:", "7", "Pozycja Y żółwia:", "-3" }
                                    << 0 << QStringList {} << ""
                                    << "7 -3 180 10";
        QTest::newRow("poz myszy") << QStringList { "poz myszy" }
                                   << QStringList { "Pozycja myszy na ekranie:", "X:", "0", "Y:", "0" } << 0
                                   << QStringList {} << ""
                                   << "";
        QTest::newRow("pisz takes a command word as text")
            << QStringList { "pisz", "np" } << QStringList { "pisz", "Jaki tekst mam wypisać ?", "np" } << 0
            << QStringList {} << ""
            << "";
        QTest::newRow("pisztekst does not echo the text")
            << QStringList { "pisztekst", "Ala ma kota" } << QStringList { "pisztekst", "Jaki tekst mam wypisać ?" }
            << 0 << QStringList {} << ""
            << "";
        QTest::newRow("pen and turtle words")
            << QStringList { "pod", "opu", "sż", "pż" }
            << QStringList { "pod", "Pisak został podniesiony.", "opu", "Pisak został opuszczony.", "sż",
                   "Żółw został schowany.", "pż", "Żółw został pokazany." }
            << 0 << QStringList {} << ""
            << "";
        QTest::newRow("czyśćtekst") << QStringList { "pisz", "x", "czyśćtekst" }
                                    << QStringList { "Ekran tekstowy został wyczyszczony!" } << 0 << QStringList {}
                                    << ""
                                    << "";
        QTest::newRow("cs resets the turtle")
            << QStringList { "nowexy", "5", "6", "lw", "10", "cs" }
            << QStringList { "Podaj współrzędną X:", "5", "Podaj współrzędną Y:", "6", angle, "10", cleared } << 0
            << QStringList {} << ""
            << "0 0 180 0";
        QTest::newRow("timed clearing: a command leaves the question open")
            << QStringList { "czyśćtekstczasowo", "cs" } << QStringList { question, answers, cleared } << 3
            << QStringList {} << ""
            << "";
        QTest::newRow("timed clearing: cs, then 2")
            << QStringList { "czyśćtekstczasowo", "cs", "2" }
            << QStringList { question, answers, cleared, "Funcja czyszczenia czasowego została wyłączona!" } << 0
            << QStringList {} << ""
            << "";
        QTest::newRow("timed clearing: other answer")
            << QStringList { "czyśćtekstczasowo", "3" } << QStringList { question, answers, unknown + "3" } << 3
            << QStringList {} << ""
            << "";
        QTest::newRow("timed clearing every 5 s")
            << QStringList { "czyśćtekstczasowo", "1", "5000" }
            << QStringList { question, answers, "Funkcja czasowego czyszczenia ekranu została włączona!",
                   "Podaj czas:", "Ustalony czas:", "5000" }
            << 0 << QStringList {} << ""
            << "";
        QTest::newRow("timed clearing: bad interval is lost")
            << QStringList { "czyśćtekstczasowo", "1", "abc" }
            << QStringList { question, answers, "Funkcja czasowego czyszczenia ekranu została włączona!",
                   "Podaj czas:" }
            << 0 << QStringList { notInteger("abc") } << "abc"
            << "";
        QTest::newRow("sprawdzfolder with empty line")
            << QStringList { "sprawdzfolder", "" } << QStringList { "Podaj ścieżkę:", "Taki katalog nie istnieje!" }
            << 0 << QStringList {} << ""
            << "";
        QTest::newRow("kursor 23") << QStringList { "kursor", "23" }
                                   << QStringList { ask, "1 - 22", "Wybrano kursor o numerze:23" } << 0
                                   << QStringList {} << ""
                                   << "";
        QTest::newRow("wideo, missing file: asked again")
            << QStringList { "wideo", "/nonexistent/start.avi" } << QStringList { "Podaj nazwę pliku:" } << 8
            << QStringList { missingFile } << "/nonexistent/start.avi"
            << "";
        QTest::newRow("grajplik, missing file: asked again")
            << QStringList { "grajplik", "/nonexistent/start.wav" } << QStringList { "Podaj ścieżkę:" } << 9
            << QStringList { missingFile } << "/nonexistent/start.wav"
            << "";
        QTest::newRow("windows open without a line")
            << QStringList { "tekst", "spis", "QW" } << QStringList {} << 0 << QStringList {} << ""
            << "";
    }
    void scenarios()
    {
        QFETCH(QStringList, input);
        QFETCH(QStringList, expectedScreen);
        QFETCH(int, state);
        QFETCH(QStringList, errors);
        QFETCH(QString, edit);
        QFETCH(QString, turtleAfter);

        console->enterAll(input);

        QCOMPARE(console->screen(), expectedScreen);
        QCOMPARE(Form1->PendingState, state);
        QCOMPARE(console->dialogs.errors(), errors);
        QCOMPARE(Form1->Edit1->text(), edit);
        if (!turtleAfter.isEmpty())
            QCOMPARE(turtle(), turtleAfter);
    }

    // "OK!" is the window's default button: Enter runs the line wherever the focus is, once.
    void enterRunsTheLineOnceWhereverTheFocusIs_data()
    {
        QTest::addColumn<QString>("where");
        QTest::addColumn<int>("key"); // 0: a mouse click
        QTest::newRow("Enter in the input line") << "Edit1" << int(Qt::Key_Return);
        QTest::newRow("Enter on the text screen") << "ListBox1" << int(Qt::Key_Return);
        QTest::newRow("keypad Enter on the text screen") << "ListBox1" << int(Qt::Key_Enter);
        QTest::newRow("Enter on the button") << "Button1" << int(Qt::Key_Return);
        QTest::newRow("click on the button") << "Button1" << 0;
    }
    void enterRunsTheLineOnceWhereverTheFocusIs()
    {
        QFETCH(QString, where);
        QFETCH(int, key);
        QWidget* target = where == u"Edit1" ? static_cast<QWidget*>(Form1->Edit1)
            : where == u"ListBox1"          ? static_cast<QWidget*>(Form1->ListBox1)
                                            : static_cast<QWidget*>(Form1->Button1);
        ConsoleFixture::type(Form1->Edit1, QStringLiteral("pozx"));
        if (key)
            QTest::keyClick(target, Qt::Key(key));
        else
            QTest::mouseClick(target, Qt::LeftButton);
        QCOMPARE(console->screen(), (QStringList { "Pozycja X żółwia:", "0" }));
        QCOMPARE(Form1->Edit1->text(), QString());
        QVERIFY(Form1->Button1->isDefault());
    }

    // A pasted line is taken whole, however long.
    void aLongLineIsTakenWhole()
    {
        QString line;
        for (int i = 0; line.size() < 100'000; ++i)
            line += QStringLiteral("%1 ").arg(i);
        console->enter(QStringLiteral("pisz"));
        QGuiApplication::clipboard()->setText(line);
        Form1->Edit1->paste();
        QCOMPARE(Form1->Edit1->text().size(), line.size());
        QTest::keyClick(Form1->Edit1, Qt::Key_Return);
        QCOMPARE(console->screen().constLast(), line);
    }

    // Up and Down walk through the lines typed, as in a shell; the line being typed waits.
    void upAndDownRecallTheLinesTyped()
    {
        // A line repeated at once and an empty line are not kept.
        console->enterAll({ "pozx", "pozx", "", "pw", "90", "np", "50" });
        ConsoleFixture::type(Form1->Edit1, QStringLiteral("poz"));
        const auto press = [](Qt::Key key) {
            QTest::keyClick(Form1->Edit1, key);
            return Form1->Edit1->text();
        };
        QStringList walk;
        for (const Qt::Key key : { Qt::Key_Up, Qt::Key_Up, Qt::Key_Up, Qt::Key_Down, Qt::Key_Down, Qt::Key_Down,
                 Qt::Key_Down, Qt::Key_Down })
            walk << press(key);
        QCOMPARE(walk, (QStringList { "50", "np", "90", "np", "50", "poz", "poz", "poz" }));
        for (int i = 0; i < 10; ++i)
            press(Qt::Key_Up);
        QCOMPARE(Form1->Edit1->text(), QStringLiteral("pozx")); // the oldest line stays

        // A recalled line runs as typed, and the walk starts again from an empty line.
        QTest::keyClick(Form1->Edit1, Qt::Key_Return);
        QCOMPARE(console->screen().mid(console->screen().size() - 2), (QStringList { "Pozycja X żółwia:", "50" }));
        QCOMPARE(press(Qt::Key_Down), QString());
        QCOMPARE(press(Qt::Key_Up), QStringLiteral("pozx"));
        QCOMPARE(press(Qt::Key_Up), QStringLiteral("50"));
    }

    void pendingStateOutlivesOtherEvents()
    {
        console->enter(QStringLiteral("np"));
        Form1->Timer1Timer();
        Form1->Nowy1Click();
        QCOMPARE(Form1->PendingState, 13);
        console->enter(QStringLiteral("5"));
        QCOMPARE(Form1->PendingState, 0);
        QCOMPARE(Form1->Zolw1->Krok(), 5);
    }

    void cursorTable_data()
    {
        QTest::addColumn<QString>("line");
        QTest::addColumn<int>("cursor");
        QTest::newRow("1: default") << "1" << 0;
        QTest::newRow("2: none") << "2" << -1;
        QTest::newRow("12: hourglass") << "12" << -11;
        QTest::newRow("22: hand") << "22" << -21;
        QTest::newRow("23: out of range") << "23" << -4;
        QTest::newRow("0") << "0" << -4;
        QTest::newRow("blank then 1") << " 1" << -4;
        QTest::newRow("leading zero") << "01" << -4;
        QTest::newRow("hex") << "$1" << -4;
    }
    void cursorTable()
    {
        QFETCH(QString, line);
        QFETCH(int, cursor);
        platform::setScreenCursor(-4); // a known shape that the failing lines must leave alone
        console->enterAll({ QStringLiteral("kursor"), line });
        QCOMPARE(platform::screenCursor(), cursor);
        QCOMPARE(console->screen().constLast(), QStringLiteral("Wybrano kursor o numerze:") + line);
        QCOMPARE(Form1->PendingState, 0);
    }

    void forwardDrawsAlongTheTopRow()
    {
        console->enterAll({ "pw", "90", "np", "100" });
        const QImage& canvas = Form1->Zolw1->picture().image();
        QCOMPARE(canvas.size(), QSize(801, 417));
        for (int x = 0; x < 100; ++x)
            QCOMPARE(canvas.pixel(x, 0), QColor(Qt::black).rgb());
        QCOMPARE(canvas.pixel(100, 0), QColor(Qt::white).rgb());
        QCOMPARE(canvas.pixel(50, 1), QColor(Qt::white).rgb());
        QCOMPARE(turtle(), QStringLiteral("100 0 90 100"));
    }

    void penUpMovesWithoutDrawing()
    {
        console->enterAll({ "nowexy", "10", "10", "pw", "90", "pod", "np", "30" });
        QCOMPARE(turtle(), QStringLiteral("40 10 90 30"));
        const QImage blank = Form1->Zolw1->picture().image();
        QCOMPARE(blank.pixel(20, 10), QColor(Qt::white).rgb());
        console->enterAll({ "opu", "np", "30" });
        QCOMPARE(Form1->Zolw1->picture().image().pixel(50, 10), QColor(Qt::black).rgb());
    }

    // A step that fails keeps the new step length and leaves the question open.
    void stepOnAnIconFails()
    {
        QTemporaryDir dir;
        const QString icon = dir.filePath(QStringLiteral("t.ico"));
        QImage image(16, 16, QImage::Format_ARGB32);
        image.fill(Qt::green);
        if (!image.save(icon, "ICO"))
            QSKIP("no icon writer installed");
        console->dialogs.answerFile(icon);
        console->enterAll({ "ładek", "np", "25" });
        QCOMPARE(console->dialogs.errors(),
            QStringList { QStringLiteral("Can only modify an image if it contains a bitmap.") });
        QCOMPARE(Form1->PendingState, 13);
        QCOMPARE(Form1->Zolw1->Krok(), 25);
        QCOMPARE(turtle(), QStringLiteral("0 0 180 25"));
        QCOMPARE(console->screen(), QStringList { QStringLiteral("Podaj parametr:") });
    }

    void foldersAreCreatedCheckedAndRemoved()
    {
        QTemporaryDir root;
        const QString folder = root.filePath(QStringLiteral("gry"));
        console->enterAll({ "nowy folder", folder, "sprawdzfolder", folder });
        QVERIFY(QFileInfo(folder).isDir());
        QFile(QDir(folder).filePath("x")).open(QIODevice::WriteOnly);
        // Removing a folder that is not empty fails unnoticed.
        console->enterAll({ "usuń folder", folder });
        QVERIFY(QFileInfo(folder).isDir());
        QFile::remove(QDir(folder).filePath("x"));
        console->enterAll({ "usuń folder", folder, "sprawdzfolder", folder });
        QVERIFY(!QFileInfo(folder).exists());
        // Creating below a missing folder fails unnoticed too.
        console->enterAll({ "nowy folder", root.filePath("a/b") });
        QVERIFY(!QFileInfo(root.filePath("a")).exists());

        QCOMPARE(console->screen(),
            (QStringList { "Podaj parametr:", "Został utworzony folder:" + folder,
                "Podaj ścieżkę:", "Taki katalog istnieje!", "Podaj parametr:", "Usunięto katalog:" + folder,
                "Podaj parametr:", "Usunięto katalog:" + folder, "Podaj ścieżkę:", "Taki katalog nie istnieje!",
                "Podaj parametr:", "Został utworzony folder:" + root.filePath("a/b") }));
        QVERIFY(console->dialogs.errors().isEmpty());
    }

    void mediaFilesArePlayedByKind()
    {
        QTemporaryDir dir;
        auto write = [&](const QString& name, const QByteArray& form) {
            QFile file(dir.filePath(name));
            file.open(QIODevice::WriteOnly);
            file.write(QByteArray("RIFF\0\0\0\0", 8) + form + QByteArray(16, '\0'));
            return file.fileName();
        };
        const QString video = write("start.avi", "AVI ");
        const QString sound = write("start.wav", "WAVE");

        // A sound given as a video fails, and the same question is asked again.
        console->enterAll({ "wideo", sound });
        QCOMPARE(Form1->PendingState, 8);
        QCOMPARE(console->dialogs.errors().size(), 1);
        console->enterAll({ video, "grajplik", sound });
        QCOMPARE(Form1->PendingState, 0);
        QCOMPARE(console->media.played.size(), 2);
        QCOMPARE(console->media.played[0].type, platform::MediaDeviceType::AviVideo);
        QCOMPARE(console->media.played[0].fileName, video);
        QCOMPARE(console->media.played[1].type, platform::MediaDeviceType::WaveAudio);
        QCOMPARE(console->screen(),
            (QStringList { "Podaj nazwę pliku:", "Został odegrany plik:" + video,
                "Podaj ścieżkę:", "Został odegrany plik:" + sound }));
    }

    void changeTurtle_data()
    {
        QTest::addColumn<QString>("fileName"); // empty: cancelled
        QTest::addColumn<bool>("changed");
        QTest::addColumn<int>("errors");
        QTest::newRow("cancelled") << "" << false << 0;
        QTest::newRow("bitmap") << "zolw.bmp" << true << 0;
        QTest::newRow("PNG") << "zolw.png" << true << 0;
        QTest::newRow("unknown extension") << "turtle.txt" << false << 1;
    }
    void changeTurtle()
    {
        QFETCH(QString, fileName);
        QFETCH(bool, changed);
        QFETCH(int, errors);
        QTemporaryDir dir;
        QString chosen;
        if (changed) {
            chosen = dir.filePath(fileName);
            QImage look(30, 20, QImage::Format_RGB32);
            look.fill(Qt::green);
            QVERIFY(look.save(chosen));
        } else if (!fileName.isEmpty()) {
            chosen = dir.filePath(fileName);
            QFile(chosen).open(QIODevice::WriteOnly);
        }
        if (!chosen.isEmpty())
            console->dialogs.answerFile(chosen);
        const QSize before = Form1->Image2->size();

        console->enter(QStringLiteral("zmieńżółwia"));

        QCOMPARE(console->dialogs.count(testing::ShownDialog::Kind::OpenPicture), 1);
        QCOMPARE(console->dialogs.shown().constFirst().fileOptions.filter,
            QStringLiteral("Bitmaps (*.bmp)|*.bmp|PNG (*.png)|*.png"));
        QCOMPARE(console->dialogs.errors().size(), errors);
        for (platform::PictureControl* image : { Form1->Image2, Form1->Image3, Form1->Image4, Form1->Image5 })
            QCOMPARE(image->size(), changed ? QSize(30, 20) : image->size());
        if (changed)
            QCOMPARE(console->screen(), (QStringList { "Zmieniono postać żółwia na plik:" + chosen, "zmieńżółwia" }));
        else if (errors == 0)
            QCOMPARE(console->screen(), QStringList { "zmieńżółwia" });
        else {
            // The row stops at the failed load: no message, no echo, the line stays typed.
            QVERIFY(console->screen().isEmpty());
            QCOMPARE(Form1->Edit1->text(), QStringLiteral("zmieńżółwia"));
            QCOMPARE(Form1->Image2->size(), before);
            QCOMPARE(console->dialogs.errors().constFirst(), QStringLiteral("Unknown picture file extension (.txt)"));
        }
    }

    void loadScreenReplacesTheDrawing()
    {
        QTemporaryDir dir;
        const QString file = dir.filePath(QStringLiteral("tlo.bmp"));
        QImage picture(50, 40, QImage::Format_RGB32);
        picture.fill(Qt::blue);
        QVERIFY(picture.save(file, "BMP"));
        console->enterAll({ "np", "10" });
        console->dialogs.answerFile(file);
        console->enter(QStringLiteral("ładek"));
        QCOMPARE(Form1->Zolw1->picture().image().size(), QSize(50, 40));
        QCOMPARE(Form1->Edit1->text(), QString());
        QCOMPARE(console->screen().size(), 2); // nothing appended by ładek
        console->enter(QStringLiteral("ładek")); // cancelled: the picture stays
        QCOMPARE(Form1->Zolw1->picture().image().size(), QSize(50, 40));
    }

    void canvasTextStandsAtTheTurtle()
    {
        console->enterAll({ "nowexy", "120", "80", "pisztekst", "Ala ma kota" });
        QVERIFY(Form1->Label6->isVisibleTo(Form1));
        QCOMPARE(Form1->Label6->text(), QStringLiteral("Ala ma kota"));
        QCOMPARE(Form1->Label6->pos(), QPoint(120, 80));
        console->enterAll({ "nowexy", "2147483647", "5", "pisztekst", "daleko" });
        QCOMPARE(Form1->Label6->text(), QStringLiteral("daleko"));
        console->enter(QStringLiteral("cs"));
        QVERIFY(!Form1->Label6->isVisibleTo(Form1));
    }

    // Whatever the user types is shown as typed, markup included.
    void canvasTextShowsMarkupAsTyped_data()
    {
        QTest::addColumn<QString>("text");
        QTest::newRow("tags") << "<b>x</b>";
        QTest::newRow("ampersand and angle") << "<i>Ala & kot</i> < pies";
    }
    void canvasTextShowsMarkupAsTyped()
    {
        QFETCH(QString, text);
        console->enterAll({ "pisztekst", text });
        QCOMPARE(Form1->Label6->text(), text);
        QVERIFY(Form1->Label6->width() >= Form1->Label6->fontMetrics().horizontalAdvance(text));
    }

    void fontAndColourReachTheCanvasText()
    {
        QFont chosen = QApplication::font();
        chosen.setPixelSize(20);
        chosen.setItalic(true);
        console->dialogs.answerFont(platform::FontChoice { chosen, Qt::darkGreen });
        console->dialogs.answerColor(QColor(Qt::yellow));
        console->enterAll({ "uptż", "tło" });
        QCOMPARE(console->screen(), QStringList { "uptż" });
        QCOMPARE(Form1->Label6->font().pixelSize(), 20);
        QVERIFY(Form1->Label6->font().italic());
        QCOMPARE(Form1->Label6->palette().color(QPalette::WindowText), QColor(Qt::darkGreen));

        // The colour arrives with the next tick, on the window and on the text.
        QCOMPARE(Form1->clientArea()->palette().color(QPalette::Window), QColor(Qt::white));
        Form1->Timer1Timer();
        QCOMPARE(Form1->clientArea()->palette().color(QPalette::Window), QColor(Qt::yellow));
        QCOMPARE(Form1->Label6->palette().color(QPalette::Window), QColor(Qt::yellow));

        // Cancelled dialogs keep the earlier choice.
        console->enterAll({ "uptż", "tło" });
        Form1->Timer1Timer();
        QCOMPARE(Form1->Label6->font().pixelSize(), 20);
        QCOMPARE(Form1->clientArea()->palette().color(QPalette::Window), QColor(Qt::yellow));
    }

    void servicesAreCalled()
    {
        const QDateTime moment(QDate(2024, 3, 5), QTime(7, 8, 9));
        platform::setFixedDateTime(moment);
        console->enterAll({ "beep", "wychodz", "data", "czas" });
        QCOMPARE(console->beep.beeps, 1);
        QCOMPARE(console->session.logOffRequests, 1);
        QCOMPARE(console->screen(),
            (QStringList { "beep", "Zamykanie systemu...", platform::todayText(), platform::timeOfDayText() }));
        QVERIFY(console->screen().at(2).contains(QStringLiteral("5")));
        QVERIFY(console->screen().at(3).contains(QStringLiteral("09")));
    }

    void companionWindowsAreShown_data()
    {
        QTest::addColumn<QString>("line");
        QTest::addColumn<QString>("window");
        QTest::newRow("tekst") << "tekst"
                               << "Form4";
        QTest::newRow("spis") << "spis"
                              << "Form3";
        QTest::newRow("QW") << "QW"
                            << "AboutBox";
    }
    void companionWindowsAreShown()
    {
        QFETCH(QString, line);
        QFETCH(QString, window);
        const QHash<QString, QWidget*> windows { { "Form3", Form3 }, { "Form4", Form4 }, { "AboutBox", AboutBox } };
        console->enter(line);
        for (auto it = windows.cbegin(); it != windows.cend(); ++it)
            QCOMPARE(it.value()->isVisible(), it.key() == window);
        QVERIFY(Form1->Edit1->text().isEmpty());
    }

    void nowexymyszTakesThePointerOverTheCanvas()
    {
        Form1->show();
        QVERIFY(QTest::qWaitForWindowExposed(Form1));
        QTest::mouseMove(Form1->Zolw1, QPoint(123, 45));
        QTRY_COMPARE(Form1->CanvasMouseX, 123);
        QCOMPARE(Form1->CanvasMouseY, 45);
        console->enter(QStringLiteral("nowexymysz"));
        QCOMPARE(turtle(), QStringLiteral("123 45 180 10"));
        QCOMPARE(console->screen(), QStringList { "nowexymysz" });
    }

    // Over a control the window itself must not see the pointer.
    void formPointerOnlyOverTheBareSurface()
    {
        Form1->setWindowState(Qt::WindowNoState);
        Form1->setGeometry(0, 0, 1000, 700);
        Form1->show();
        QVERIFY(QTest::qWaitForWindowExposed(Form1));
        QWidget* client = Form1->clientArea();
        QTest::mouseMove(client, QPoint(900, 30));
        QTRY_COMPARE(Form1->FormMouseX, 900);
        QCOMPARE(Form1->FormMouseY, 30);
        QTest::mouseMove(client, QPoint(300, 200)); // over the canvas
        QTest::mouseMove(client, Form1->Label1->geometry().center());
        QTest::qWait(20);
        QCOMPARE(Form1->FormMouseX, 900);
        console->enter(QStringLiteral("poz myszy"));
        QCOMPARE(console->screen(), (QStringList { "Pozycja myszy na ekranie:", "X:", "900", "Y:", "30" }));
    }
};

QTEST_MAIN(TestKavrinoInterpreter)
#include "tst_kavrino_interpreter.moc"
