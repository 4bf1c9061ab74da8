#include "platform/Errors.h"
#include "platform/TextFile.h"
#include "support/FileSizeLimit.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

class TestTextFile : public QObject {
    Q_OBJECT
private slots:
    void decode_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QString>("text");
        const QString polish = QStringLiteral("Zażółć gęślą jaźń ĄĆĘŁŃÓŚŹŻ");
        QTest::newRow("empty") << QByteArray() << QString();
        QTest::newRow("ascii") << QByteArray("np 100") << QStringLiteral("np 100");
        QTest::newRow("utf-8") << polish.toUtf8() << polish;
        QTest::newRow("utf-8 with byte-order mark") << QByteArray("\xEF\xBB\xBF") + polish.toUtf8() << polish;
        QTest::newRow("windows-1250") << QByteArray(
            "Za\xBF\xF3\xB3\xE6 g\xEA\x9C\x6C\xB9 ja\x9F\xF1 \xA5\xC6\xCA\xA3\xD1\xD3\x8C\x8F\xAF")
                                      << polish;
        // A single byte that UTF-8 would need a continuation for.
        QTest::newRow("windows-1250 at the very end") << QByteArray("ko\xB3") << QStringLiteral("koł");
        QTest::newRow("crlf") << QByteArray("a\r\nb\r\n") << QStringLiteral("a\nb\n");
        QTest::newRow("lone cr") << QByteArray("a\rb") << QStringLiteral("a\nb");
        QTest::newRow("mixed breaks") << QByteArray("\r\r\n\n\ra\r") << QStringLiteral("\n\n\n\na\n");
        QTest::newRow("windows-1250 with crlf") << QByteArray("\xA3\xF3\x64\x9F\r\n") << QStringLiteral("Łódź\n");
    }
    void decode()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(QString, text);
        QCOMPARE(platform::decodeText(bytes), text);
    }

    void writeThenRead()
    {
        QTemporaryDir dir;
        const QString fileName = dir.filePath(QStringLiteral("tekst.txt"));
        const QString text = QStringLiteral("Żółw idzie\n\nnp 100\n");
        platform::writeTextFile(fileName, text);

        QFile file(fileName);
        QVERIFY(file.open(QIODevice::ReadOnly));
        QCOMPARE(file.readAll(), text.toUtf8());
        file.close();
        QCOMPARE(platform::readTextFile(fileName), text);

        // A second write replaces the content as a whole.
        platform::writeTextFile(fileName, QStringLiteral("x"));
        QCOMPARE(platform::readTextFile(fileName), QStringLiteral("x"));
    }

    void writeThatFailsHalfWayKeepsTheOldFile()
    {
        QTemporaryDir dir;
        const QString fileName = dir.filePath(QStringLiteral("tekst.txt"));
        platform::writeTextFile(fileName, QStringLiteral("stary"));
        try {
            const testing::FileSizeLimit fullDisc(100);
            platform::writeTextFile(fileName, QStringLiteral("nowy tekst ").repeated(100));
            QFAIL("no error raised");
        } catch (const platform::FileCreateError& error) {
            QCOMPARE(error.message(), QStringLiteral("Cannot create file \"%1\". File too large").arg(fileName));
        }
        QCOMPARE(platform::readTextFile(fileName), QStringLiteral("stary"));
        QCOMPARE(QDir(dir.path()).entryList(QDir::Files), QStringList { QStringLiteral("tekst.txt") });
    }

    void failures_data()
    {
        QTest::addColumn<bool>("writing");
        QTest::addColumn<QString>("prefix");
        QTest::newRow("read a missing file") << false << QStringLiteral("Cannot open file");
        QTest::newRow("write into a missing folder") << true << QStringLiteral("Cannot create file");
    }
    void failures()
    {
        QFETCH(bool, writing);
        QFETCH(QString, prefix);
        QTemporaryDir dir;
        const QString fileName = dir.filePath(QStringLiteral("brak/tekst.txt"));
        try {
            if (writing)
                platform::writeTextFile(fileName, QStringLiteral("a"));
            else
                platform::readTextFile(fileName);
            QFAIL("no error raised");
        } catch (const platform::Error& error) {
            QVERIFY2(error.message().startsWith(QStringLiteral("%1 \"%2\". ").arg(prefix, fileName)),
                qPrintable(error.message()));
            // The reason the system gave follows the name.
            QVERIFY(error.message().size() > prefix.size() + fileName.size() + 5);
        }
        QVERIFY(!QFile::exists(fileName));
    }
};

QTEST_GUILESS_MAIN(TestTextFile)
#include "tst_text_file.moc"
