#include "platform/Errors.h"
#include "platform/IntegerConversion.h"

#include <QTest>

class TestIntegerConversion : public QObject {
    Q_OBJECT
private slots:
    void accepted_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("value");
        QTest::newRow("digits") << "100" << 100;
        QTest::newRow("leading blanks") << "   42" << 42;
        QTest::newRow("plus") << "+7" << 7;
        QTest::newRow("minus") << "-90" << -90;
        QTest::newRow("blank then minus") << " -5" << -5;
        QTest::newRow("hex") << "$10" << 16;
        QTest::newRow("hex mixed case") << "$fF" << 255;
        QTest::newRow("leading zeros") << "0007" << 7;
        QTest::newRow("largest") << "2147483647" << 2147483647;
        QTest::newRow("smallest") << "-2147483648" << int(-2147483648LL);
        QTest::newRow("largest hex") << "$7FFFFFFF" << 2147483647;
    }
    void accepted()
    {
        QFETCH(QString, text);
        QFETCH(int, value);
        QCOMPARE(platform::parseInteger(text), value);
    }

    void refused_data()
    {
        QTest::addColumn<QString>("text");
        QTest::newRow("empty") << "";
        QTest::newRow("blanks only") << "   ";
        QTest::newRow("trailing blank") << "1 ";
        QTest::newRow("letters") << "abc";
        QTest::newRow("sign alone") << "-";
        QTest::newRow("dollar alone") << "$";
        QTest::newRow("signed hex") << "-$10";
        QTest::newRow("hex digits without dollar") << "1F";
        QTest::newRow("too large") << "2147483648";
        QTest::newRow("too small") << "-2147483649";
        QTest::newRow("hex too large") << "$80000000";
        QTest::newRow("tab before") << "\t5";
        QTest::newRow("decimal point") << "1.5";
        QTest::newRow("command word") << "cs";
    }
    void refused()
    {
        QFETCH(QString, text);
        QVERIFY(!platform::tryParseInteger(text));
        try {
            platform::parseInteger(text);
            QFAIL("no error raised");
        } catch (const platform::ConvertError& error) {
            QCOMPARE(error.message(), QStringLiteral("'%1' is not a valid integer value").arg(text));
        }
    }
};

QTEST_GUILESS_MAIN(TestIntegerConversion)
#include "tst_integer_conversion.moc"
