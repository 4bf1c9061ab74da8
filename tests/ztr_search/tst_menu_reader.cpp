#include "platform/TextFile.h"
#include "support/LiteralMenuReader.h"
#include "ztr_search/MenuReader.h"

#include <QFile>
#include <QRandomGenerator>
#include <QTest>

using testing::LiteralMenuRead;

namespace {

// The lines owned: they outlive the file's text.
QStringList fixtureLines(const QString& name)
{
    QFile file(QFINDTESTDATA(QStringLiteral("data/") + name));
    if (!file.open(QIODevice::ReadOnly))
        qFatal("missing fixture %s", qPrintable(name));
    const MenuText text(platform::decodeText(file.readAll()));
    QStringList lines;
    for (const QString& line : text.lines())
        lines << QString(line.constData(), line.size());
    return lines;
}

// What the reader gives, in the shape of the literal reading.
LiteralMenuRead readWith(std::vector<MenuEntry> (*reader)(QStringList&), QStringList lines)
{
    LiteralMenuRead read;
    try {
        for (const MenuEntry& entry : reader(lines))
            read.rows << QStringList { entry.title, entry.description, entry.installer, entry.requirements };
        read.remaining = lines;
    } catch (const MenuFormatError& error) {
        switch (error.fault) {
        case MenuFormatError::Fault::MissingKeyLine: read.outcome = LiteralMenuRead::Outcome::MissingKeyLine; break;
        case MenuFormatError::Fault::MissingTitleLine: read.outcome = LiteralMenuRead::Outcome::MissingTitleLine; break;
        case MenuFormatError::Fault::NothingAfterLine: read.outcome = LiteralMenuRead::Outcome::NothingAfterLine; break;
        }
        read.key = error.key;
        read.entry = error.entry;
    }
    return read;
}

char describe(LiteralMenuRead::Outcome outcome)
{
    return "RKTA"[static_cast<int>(outcome)];
}

void compareWithLiteral(const QStringList& lines)
{
    const LiteralMenuRead braced = readWith(readBracedFormat, lines);
    const LiteralMenuRead literalBraced = testing::literalReadBraced(lines);
    QCOMPARE(describe(braced.outcome), describe(literalBraced.outcome));
    QCOMPARE(braced.rows, literalBraced.rows);
    QCOMPARE(braced.remaining, literalBraced.remaining);
    QCOMPARE(braced.key, literalBraced.key);
    QCOMPARE(braced.entry, literalBraced.entry);

    const LiteralMenuRead section = readWith(readSectionFormat, lines);
    const LiteralMenuRead literalSection = testing::literalReadSection(lines);
    QCOMPARE(describe(section.outcome), describe(literalSection.outcome));
    QCOMPARE(section.rows, literalSection.rows);
    QCOMPARE(section.remaining, literalSection.remaining);
    QCOMPARE(section.key, literalSection.key);
    QCOMPARE(section.entry, literalSection.entry);
}

// Lines made mostly of the keys of both formats, in any order, braces and all: the overlaps and
// orders no real menu has are where a faster reading could part from the literal one.
QStringList jumbledLines(QRandomGenerator& random, int count)
{
    static const QStringList pieces { "nazwa=", "opis=", "instalacja=", "uruchomienie=", "//",
        "Wymagania:", "Execute=", "Note=", "System=", "{", "}", "[", "]", "x", "Ł", " ", "ab", "Wymagania: P" };
    QStringList lines;
    for (int i = 0; i < count; ++i) {
        QString line;
        const int parts = static_cast<int>(random.bounded(5));
        for (int p = 0; p < parts; ++p)
            line += pieces.at(random.bounded(pieces.size()));
        lines << line;
    }
    return lines;
}

// A well-formed menu of either format whose entries are then shuffled a little.
QStringList generatedMenu(QRandomGenerator& random, bool braced, int entries)
{
    QStringList lines;
    for (int i = 0; i < entries; ++i) {
        const QString title = QStringLiteral("Program %1 zażółć").arg(i);
        const int extra = static_cast<int>(random.bounded(3));
        if (braced) {
            lines << QStringLiteral("nazwa={%1}").arg(title);
            lines << QStringLiteral("opis={Opis %1").arg(i);
            for (int e = 0; e < extra; ++e)
                lines << QStringLiteral("dalszy wiersz %1").arg(e);
            lines.last() += random.bounded(2) ? QStringLiteral(" Wymagania: 486}") : QStringLiteral("}");
            lines << QStringLiteral("instalacja={X}");
            lines << QStringLiteral("uruchomienie={DIR%1}{SETUP.EXE}").arg(i);
        } else {
            lines << QStringLiteral("[%1]").arg(title);
            lines << QStringLiteral("Execute=..\\DIR%1\\SETUP.EXE").arg(i);
            lines << QStringLiteral("Note=Opis %1").arg(i);
            for (int e = 0; e < extra; ++e)
                lines << QStringLiteral("dalszy wiersz %1").arg(e);
            lines << QStringLiteral("System=Windows 9%1").arg(i % 10);
        }
    }
    const int changes = static_cast<int>(random.bounded(4));
    for (int c = 0; c < changes && !lines.isEmpty(); ++c) {
        const qsizetype at = random.bounded(lines.size());
        switch (random.bounded(3)) {
        case 0: lines.removeAt(at); break;
        case 1: lines.swapItemsAt(at, random.bounded(lines.size())); break;
        default: lines.insert(at, lines.at(random.bounded(lines.size()))); break;
        }
    }
    return lines;
}

} // namespace

class TestMenuReader : public QObject {
    Q_OBJECT
private slots:
    void cutBracedValue_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("value");
        QTest::addColumn<QString>("left");
        QTest::newRow("value cut out") << "opis={Gra} reszta"
                                       << "Gra"
                                       << "opis= reszta";
        QTest::newRow("first of two") << "{KAT}{PLIK.EXE}"
                                      << "KAT"
                                      << "{PLIK.EXE}";
        QTest::newRow("empty braces") << "a{}b"
                                      << ""
                                      << "ab";
        QTest::newRow("close without open") << "abc}def"
                                            << "abc"
                                            << "abc}def";
        QTest::newRow("close before open") << "ab}c{d"
                                           << ""
                                           << "ab}c{d";
        QTest::newRow("open without close") << "ab{cd"
                                            << ""
                                            << "ab{cd";
        QTest::newRow("no braces") << "abc"
                                   << ""
                                   << "abc";
        QTest::newRow("close at start, open later") << "}x{y}"
                                                    << ""
                                                    << "}x{y}";
        QTest::newRow("longer than 255") << QStringLiteral("{%1}!").arg(QString(300, u'ż')) << QString(300, u'ż')
                                         << "!";
    }
    void cutBracedValue()
    {
        QFETCH(QString, text);
        QFETCH(QString, value);
        QFETCH(QString, left);
        QString literalText = text;
        QCOMPARE(::cutBracedValue(text), value);
        QCOMPARE(text, left);
        QCOMPARE(testing::literalCutBracedValue(literalText), value);
        QCOMPARE(literalText, left);
    }

    void findLineMatchesAnywhereWithCase()
    {
        const QStringList lines { "Nazwa={A}", "  x nazwa={B}", "nazwa={C}" };
        QCOMPARE(findLine(lines, QStringLiteral("nazwa=")), 1);
        QCOMPARE(findLine(lines, QStringLiteral("Nazwa=")), 0);
        QCOMPARE(findLine(lines, QStringLiteral("opis=")), -1);
        QCOMPARE(findLine({}, QStringLiteral("opis=")), -1);
    }

    void linesEndAtAnyBreak_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QStringList>("lines");
        QTest::newRow("CR LF") << QByteArray("a\r\nb\r\n") << QStringList { "a", "b" };
        QTest::newRow("LF, no last break") << QByteArray("a\nb") << QStringList { "a", "b" };
        QTest::newRow("CR") << QByteArray("a\rb\r") << QStringList { "a", "b" };
        QTest::newRow("empty lines kept") << QByteArray("a\r\n\r\n\nb\n\n") << QStringList { "a", "", "", "b", "" };
        QTest::newRow("one break") << QByteArray("\n") << QStringList { "" };
        QTest::newRow("nothing") << QByteArray() << QStringList {};
        QTest::newRow("Windows-1250") << QByteArray("\xaf\xf3\xb3w \x9c\xbf\r\n") << QStringList { "Żółw śż" };
    }
    void linesEndAtAnyBreak()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(QStringList, lines);
        const QString text = platform::decodeText(bytes);
        const MenuText file(text);
        QCOMPARE(file.lines(), lines);
        QCOMPARE(testing::literalMenuLines(text), lines);
    }

    void bracedFixtureGivesItsEntries()
    {
        QStringList lines = fixtureLines(QStringLiteral("ztr_menu.inw"));
        const QStringList original = lines;
        const std::vector<MenuEntry> entries = readBracedFormat(lines);
        QCOMPARE(entries.size(), std::size_t(3));
        // The web address line is gone from the description although it stood inside it, and
        // the character after "Wymagania:" is dropped.
        QCOMPARE(entries[0],
            (MenuEntry { "Szachy mistrzowskie", "Gra logiczna dla całej rodziny. Więcej na stronie i w dziale gier. ",
                "GRY\\SZACHY\\SETUP.EXE", "Pentium 100, 16 MB RAM" }));
        QCOMPARE(entries[1],
            (MenuEntry {
                "Żółwik", "Program do nauki rysowania dla najmłodszych, z polskim lektorem.", "EDU\\ZOLWIK\\", "" }));
        QCOMPARE(entries[2].title, QStringLiteral("Atlas zwierząt"));
        QVERIFY(entries[2].description.size() > 255);
        QVERIFY(entries[2].description.endsWith(QStringLiteral("Polecamy szkołom!")));
        QCOMPARE(entries[2].installer, QStringLiteral("ENCYKLOP\\ATLAS\\INSTALUJ.EXE"));
        // Only the key lines are taken out: the heading, the separators and the inner lines of
        // the descriptions stay.
        QCOMPARE(lines,
            (QStringList { "; Menu płyty Zintra 7/1999", "i w dziale gier. Wymagania: Pentium 100, 16 MB RAM}", "",
                "dla najmłodszych,", "z polskim lektorem.}", "" }));
        compareWithLiteral(original);
    }

    void sectionFixtureGivesItsEntries()
    {
        QStringList lines = fixtureLines(QStringLiteral("ztr_menu.ini"));
        const QStringList original = lines;
        QStringList bracedCopy = lines;
        QVERIFY(readBracedFormat(bracedCopy).empty());
        const std::vector<MenuEntry> entries = readSectionFormat(lines);
        QCOMPARE(entries.size(), std::size_t(2));
        // Comment-like lines stay in this format, and the title loses its brackets.
        QCOMPARE(entries[0],
            (MenuEntry { "Gra w kości", "Gra w kości dla dwóch graczy. Strona: http://www.kosci.pl",
                "\\KOSCI\\SETUP.EXE", "Windows 95, 8 MB RAM" }));
        QCOMPARE(entries[1], (MenuEntry { "Kalkulator", "Prosty kalkulator.", "\\KALK\\KALK.EXE", "DOS 5.0" }));
        QCOMPARE(lines, (QStringList { "[Menu]", "Tytul=Zintra 8/1999", "Strona: http://www.kosci.pl" }));
        compareWithLiteral(original);
    }

    void oneEntryIsReadButIsNoMenu_data()
    {
        QTest::addColumn<QString>("fixture");
        QTest::addColumn<bool>("braced");
        QTest::newRow("braced") << "one_entry.inw" << true;
        QTest::newRow("section") << "one_entry.ini" << false;
    }
    void oneEntryIsReadButIsNoMenu()
    {
        QFETCH(QString, fixture);
        QFETCH(bool, braced);
        QStringList lines = fixtureLines(fixture);
        const std::vector<MenuEntry> entries = braced ? readBracedFormat(lines) : readSectionFormat(lines);
        QCOMPARE(entries.size(), std::size_t(1));
        QVERIFY(entries.size() < minimumMenuEntries);
        QCOMPARE(entries[0].title, QStringLiteral("Jedyny program"));
    }

    void shortAndOddLines_data()
    {
        QTest::addColumn<QStringList>("lines");
        QTest::addColumn<bool>("braced");
        QTest::addColumn<QStringList>("entry");
        QTest::newRow("short Execute line and title")
            << QStringList { "[", "Execute=", "Note=", "System=" } << false << QStringList { "", "", "", "" };
        QTest::newRow("key inside the line, no brackets") << QStringList { "Tytuł!", "  Execute=abcdef",
            "x Note=12345678", "System=Win" } << false << QStringList { "ytuł", "e=12345678", "abcdef", "Win" };
        QTest::newRow("system before note") << QStringList { "[T]", "Execute=..\\A.EXE", "System=DOS", "Note=opis",
            "reszta" } << false << QStringList { "T", "", "\\A.EXE", "DOS" };
        QTest::newRow("no braces at all") << QStringList { "nazwa=", "opis=", "instalacja=", "uruchomienie=" } << true
                                          << QStringList { "", "", "\\", "" };
        QTest::newRow("description and install on one line")
            << QStringList { "nazwa={T}", "opis={D} instalacja=", "zostaje?", "uruchomienie={K}{P}" } << true
            << QStringList { "T", "", "K\\P", "" };
        QTest::newRow("Wymagania: at the very end")
            << QStringList { "nazwa={T}", "opis={OpisWymagania:}", "instalacja=", "uruchomienie={K}" } << true
            << QStringList { "T", "Opis", "K\\", "" };
    }
    void shortAndOddLines()
    {
        QFETCH(QStringList, lines);
        QFETCH(bool, braced);
        QFETCH(QStringList, entry);
        QStringList copy = lines;
        const std::vector<MenuEntry> entries = braced ? readBracedFormat(copy) : readSectionFormat(copy);
        QCOMPARE(entries.size(), std::size_t(1));
        QCOMPARE(
            (QStringList { entries[0].title, entries[0].description, entries[0].installer, entries[0].requirements }),
            entry);
        compareWithLiteral(lines);
    }

    void entryWithoutAKeyLineStopsTheRead_data()
    {
        QTest::addColumn<QStringList>("lines");
        QTest::addColumn<bool>("braced");
        QTest::addColumn<int>("fault");
        QTest::addColumn<QString>("key");
        QTest::addColumn<QString>("entry");
        const int missing = static_cast<int>(MenuFormatError::Fault::MissingKeyLine);
        const QStringList good { "nazwa={Dobry}", "opis={x}", "instalacja=", "uruchomienie={A}{B}" };
        QTest::newRow("no opis=") << good + QStringList { "nazwa={Zły}", "instalacja=" } << true << missing << "opis="
                                  << "Zły";
        QTest::newRow("no instalacja=") << good + QStringList { "nazwa={Zły}", "opis={y}" } << true << missing
                                        << "instalacja="
                                        << "Zły";
        QTest::newRow("no uruchomienie=")
            << good + QStringList { "nazwa={Zły}", "opis={y}", "instalacja=" } << true << missing << "uruchomienie="
            << "Zły";
        QTest::newRow("uruchomienie= only in a comment")
            << QStringList { "nazwa={Zły}", "opis={y}", "instalacja=", "// uruchomienie={A}{B}" } << true << missing
            << "uruchomienie="
            << "Zły";
        QTest::newRow("nothing after a shared opis= and instalacja= line")
            << QStringList { "uruchomienie={A}", "nazwa={Zły}", "opis={y} instalacja=" } << true
            << static_cast<int>(MenuFormatError::Fault::NothingAfterLine) << "opis="
            << "Zły";
        QTest::newRow("Execute= in the first line")
            << QStringList { "Execute=..\\A.EXE", "Note=x", "System=y" } << false
            << static_cast<int>(MenuFormatError::Fault::MissingTitleLine) << "Execute="
            << "\\A.EXE";
        QTest::newRow("no Note=") << QStringList { "[Zły]", "Execute=..\\A.EXE", "System=y" } << false << missing
                                  << "Note="
                                  << "Zły";
        QTest::newRow("no System=") << QStringList { "[Zły]", "Execute=..\\A.EXE", "Note=x" } << false << missing
                                    << "System="
                                    << "Zły";
    }
    void entryWithoutAKeyLineStopsTheRead()
    {
        QFETCH(QStringList, lines);
        QFETCH(bool, braced);
        QFETCH(int, fault);
        QFETCH(QString, key);
        QFETCH(QString, entry);
        QStringList copy = lines;
        try {
            braced ? readBracedFormat(copy) : readSectionFormat(copy);
            QFAIL("the read went through");
        } catch (const MenuFormatError& error) {
            QCOMPARE(static_cast<int>(error.fault), fault);
            QCOMPARE(error.key, key);
            QCOMPARE(error.entry, entry);
            QVERIFY(error.message().contains(key));
            QVERIFY(error.message().contains(entry));
        }
        compareWithLiteral(lines);
    }

    void readsAsTheLiteralFormDoesOnGeneratedMenus()
    {
        QRandomGenerator random(20240611);
        for (int round = 0; round < 400; ++round) {
            const QStringList lines = generatedMenu(random, round % 2 == 0, 1 + round % 7);
            compareWithLiteral(lines);
            if (QTest::currentTestFailed()) {
                qWarning() << "round" << round << lines;
                return;
            }
        }
    }

    void readsAsTheLiteralFormDoesOnJumbledLines()
    {
        QRandomGenerator random(7);
        for (int round = 0; round < 3000; ++round) {
            const QStringList lines = jumbledLines(random, static_cast<int>(random.bounded(1, 24)));
            compareWithLiteral(lines);
            if (QTest::currentTestFailed()) {
                qWarning() << "round" << round << lines;
                return;
            }
        }
    }
};

QTEST_GUILESS_MAIN(TestMenuReader)
#include "tst_menu_reader.moc"
