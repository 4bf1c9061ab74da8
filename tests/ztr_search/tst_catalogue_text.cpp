#include "ztr_search/CatalogueText.h"
#include "ztr_search/WielkieLitery.h"

#include <QTest>

class TestCatalogueText : public QObject {
    Q_OBJECT
private slots:
    void wielkieLitery_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("upper");
        QTest::newRow("ascii") << "Gra"
                               << "GRA";
        QTest::newRow("polish word") << "źródło"
                                     << "ŹRÓDŁO";
        QTest::newRow("all nine polish letters") << "ąćęłńóśźż"
                                                 << "ĄĆĘŁŃÓŚŹŻ";
        QTest::newRow("capitals stay") << "ĄĆĘŁŃÓŚŹŻ ABC"
                                       << "ĄĆĘŁŃÓŚŹŻ ABC";
        QTest::newRow("other letters stay") << "äöüéß"
                                            << "äöüéß";
        QTest::newRow("wildcards, quote and blanks kept") << " a_b%\"c "
                                                          << " A_B%\"C ";
        QTest::newRow("empty") << ""
                               << "";
    }
    void wielkieLitery()
    {
        QFETCH(QString, text);
        QFETCH(QString, upper);
        QCOMPARE(WielkieLitery(text), upper);
        // The engine's upper() works on UTF-8 with the same table.
        std::string mapped;
        const QByteArray utf8 = text.toUtf8();
        const bool changed = wielkieLiteryMapping().applyUtf8(std::string_view(utf8.constData(), utf8.size()), mapped);
        QCOMPARE(changed ? QString::fromStdString(mapped) : text, upper);
    }

    void longWordsAreNotCut()
    {
        const QString word(1000, u'ż');
        QCOMPARE(WielkieLitery(word), QString(1000, u'Ż'));
    }

    void resultLineJoinsTheFiveFields()
    {
        QCOMPARE(resultLine(QStringLiteral("Szachy"), QStringLiteral("Gra logiczna"), QStringLiteral("."),
                     QStringLiteral("GRY\\SZACHY\\SETUP.EXE"), QStringLiteral("Płyta 5")),
            QStringLiteral("Szachy - Gra logiczna. Instalacja: GRY\\SZACHY\\SETUP.EXE. Płyta: Płyta 5"));
    }

    void cuttingALineGivesInstallPathAndDisc_data()
    {
        QTest::addColumn<QString>("line");
        QTest::addColumn<bool>("cut");
        QTest::addColumn<QString>("path");
        QTest::addColumn<QString>("disc");
        const QString longPath
            = QStringLiteral("INSTALACJE\\%1\\%2\\SETUP.EXE").arg(QString(40, u'A'), QString(40, u'B'));
        QTest::newRow("built line") << resultLine("Szachy", "Gra logiczna", ".", "GRY\\SZACHY\\SETUP.EXE", "Płyta 5")
                                    << true << "GRY\\SZACHY\\SETUP.EXE"
                                    << "Płyta 5";
        QTest::newRow("full stop path") << resultLine("Gra", ".", ".", ".", "Płyta 5") << true << "."
                                        << "Płyta 5";
        QTest::newRow("empty path") << "Gra - Instalacja: . Płyta: P" << true << ""
                                    << "P";
        QTest::newRow("long path kept whole")
            << resultLine("Gra", ".", ".", longPath, "Płyta 5") << true << longPath << "Płyta 5";
        QTest::newRow("Instalacja in the description")
            << resultLine("Gra", "Instalacja: ALT", ".", "GRY\\SETUP.EXE", "Płyta 5") << true
            << "ALT. Instalacja: GRY\\SETUP.EXE"
            << "Płyta 5";
        QTest::newRow("Płyta in the description after Instalacja")
            << resultLine("Gra", "Instalacja: ALT.EXE. Płyta: Stara", ".", "GRY\\SETUP.EXE", "Płyta 5") << true
            << "ALT.EXE"
            << "Stara. Instalacja: GRY\\SETUP.EXE. Płyta: Płyta 5";
        QTest::newRow("Płyta in the description before Instalacja")
            << resultLine("Gra", "Opis. Płyta: Stara", ".", "GRY\\SETUP.EXE", "Płyta 5") << false << ""
            << "Stara. Instalacja: GRY\\SETUP.EXE. Płyta: Płyta 5";
        QTest::newRow("summary line") << "Znaleziono 3 programów" << false << ""
                                      << "";
        QTest::newRow("no disc marker") << "Gra - opis Instalacja: GRY\\SETUP.EXE" << false << ""
                                        << "";
    }
    void cuttingALineGivesInstallPathAndDisc()
    {
        QFETCH(QString, line);
        QFETCH(bool, cut);
        QFETCH(QString, path);
        QFETCH(QString, disc);
        QCOMPARE(installPathOfLine(line), cut ? std::optional(path) : std::nullopt);
        QCOMPARE(discNameOfLine(line), disc.isEmpty() ? std::nullopt : std::optional(disc));
    }

    void summaryLine_data()
    {
        QTest::addColumn<qsizetype>("count");
        QTest::addColumn<QString>("line");
        QTest::newRow("none") << qsizetype(0) << "Znaleziono 0 programów";
        QTest::newRow("one") << qsizetype(1) << "Znaleziono 1 programów";
        QTest::newRow("beyond 16 bits") << qsizetype(70000) << "Znaleziono 70000 programów";
    }
    void summaryLine()
    {
        QFETCH(qsizetype, count);
        QFETCH(QString, line);
        QCOMPARE(::summaryLine(count), line);
        QVERIFY(isSummaryLine(line));
    }

    void searchStatementBindsThePattern()
    {
        const QString text = searchStatement(QStringLiteral("upper(x) like ?")).join(u'\n');
        QCOMPARE(text.count(u'?'), 1);
        QVERIFY(text.endsWith(QStringLiteral("and (upper(x) like ?)")));
        QVERIFY(!text.contains(u'"'));
        QCOMPARE(searchPattern(QStringLiteral("A_B")), QStringLiteral("%A_B%"));
    }
};

QTEST_GUILESS_MAIN(TestCatalogueText)
#include "tst_catalogue_text.moc"
