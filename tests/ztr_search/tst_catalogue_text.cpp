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
