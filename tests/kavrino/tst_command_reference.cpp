#include "kavrino/CommandReference.h"

#include <QSet>
#include <QTest>

using kavrino::CommandHelp;
using kavrino::findCommandHelp;

class TestCommandReference : public QObject {
    Q_OBJECT
private slots:
    void pickListHoldsAllButTheEditor()
    {
        const auto& reference = kavrino::commandReference();
        QCOMPARE(reference.size(), std::size_t(37));
        const QStringList words = kavrino::pickListWords();
        QCOMPARE(words.size(), 36);
        QCOMPARE(words.first(), QStringLiteral("QW"));
        QCOMPARE(words.last(), QStringLiteral("nowexymysz"));
        QVERIFY(!words.contains(QStringLiteral("tekst")));
        QCOMPARE(reference.back().word, QStringLiteral("tekst"));
        QCOMPARE(QSet<QString>(words.begin(), words.end()).size(), 36);
        for (const CommandHelp& entry : reference) {
            QCOMPARE(entry.syntax(), entry.word);
            QVERIFY2(!entry.description.isEmpty() && entry.description.size() <= 8, qPrintable(entry.word));
        }
    }

    // The cells that are easy to get wrong, as the help shows them.
    void trickyCells_data()
    {
        QTest::addColumn<QString>("word");
        QTest::addColumn<int>("line"); // 0: the parameter; otherwise the description line from 1
        QTest::addColumn<QString>("expected");
        QTest::newRow("three blanks before czas") << "czyśćtekstczasowo" << 0 << "   czas";
        QTest::newRow("four blanks after sekunda")
            << "czyśćtekstczasowo" << 4 << "1000 = 1 sekunda    2000 = 2 sekundy 100000 = 100 sekund itd.";
        QTest::newRow("trailing blank") << "nowy folder" << 3
                                        << "np. C:\\Gry\\Asteroid tworzy folder o nazwie asteroid w ";
        QTest::newRow("single backslash")
            << "nowy folder" << 2 << "ścieżki.np. C:\\gry tworzy folder o nazwie gry na dysku c.";
        QTest::newRow("backslashes in a long line")
            << "wideo" << 1 << "Odgrywa plik *.avi. Parametrem jest ścieżka pliku np. C:\\pliki\\start.avi";
        QTest::newRow("wave path") << "grajplik" << 2 << "np. C:\\Windows\\Media\\start.wav";
        QTest::newRow("lower-case brak for dosc") << "dość" << 0 << "brak";
        QTest::newRow("Brak elsewhere") << "QW" << 0 << "Brak";
        QTest::newRow("lower-case sciezka") << "sprawdzfolder" << 0 << "ścieżka";
        QTest::newRow("no full stop") << "pż" << 1 << "Pokazuje żółwia";
        QTest::newRow("typed-only editor") << "tekst" << 1 << "Uruchamia prosty edytor tekstów.";
    }
    void trickyCells()
    {
        QFETCH(QString, word);
        QFETCH(int, line);
        QFETCH(QString, expected);
        const CommandHelp* entry = findCommandHelp(word);
        QVERIFY(entry);
        const QString actual = line == 0 ? entry->parameter : entry->description.value(line - 1);
        QCOMPARE(actual, expected);
    }

    void eightLineEntry()
    {
        const CommandHelp* entry = findCommandHelp(QStringLiteral("czyśćtekstczasowo"));
        QVERIFY(entry);
        QCOMPARE(entry->displayName, QStringLiteral("ct czasowo"));
        const QStringList expected {
            "Za pomocą tej procedury można uruchomić timer który",
            "w określonych odstępach czasu będzie czyścił ekran tekstowy!",
            "Parameterm jest odstęp czasu.",
            "1000 = 1 sekunda    2000 = 2 sekundy 100000 = 100 sekund itd.",
            "Jest to bardzo przydatna funkcja.",
            "Aby wyłączyć funkcję czyszczenia czasowego wystarczy wpisać",
            "jeszcze raz wpisać czyśćtekstczasowo i na pierwsze pytanie",
            "odpowiedzieć nie.",
        };
        QCOMPARE(entry->description, expected);
    }

    void lookupIsExact_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("found");
        QTest::newRow("word") << "QW" << true;
        QTest::newRow("word with a blank inside") << "usuń folder" << true;
        QTest::newRow("other case") << "qw" << false;
        QTest::newRow("leading blank") << " QW" << false;
        QTest::newRow("trailing blank") << "QW " << false;
        QTest::newRow("no folding of Polish letters") << "dosc" << false;
        QTest::newRow("starting text") << "Wybierz procedurę" << false;
        QTest::newRow("empty") << "" << false;
    }
    void lookupIsExact()
    {
        QFETCH(QString, text);
        QFETCH(bool, found);
        const CommandHelp* entry = findCommandHelp(text);
        QCOMPARE(entry != nullptr, found);
        if (entry)
            QCOMPARE(entry->word, text);
    }
};

QTEST_GUILESS_MAIN(TestCommandReference)
#include "tst_command_reference.moc"
