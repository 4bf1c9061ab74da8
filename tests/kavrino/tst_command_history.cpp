#include "kavrino/CommandHistory.h"

#include <QTest>

class TestCommandHistory : public QObject {
    Q_OBJECT
private slots:
    void oldestLinesGoBeyondTheCapacity()
    {
        kavrino::CommandHistory history(3);
        for (const char* line : { "a", "b", "c", "d" })
            history.confirm(QString::fromLatin1(line));
        QCOMPARE(history.lines(), (QStringList { "b", "c", "d" }));
        QCOMPARE(history.older(QString()), QStringLiteral("d"));
        QCOMPARE(history.older(QString()), QStringLiteral("c"));
        QCOMPARE(history.older(QString()), QStringLiteral("b"));
        QCOMPARE(history.older(QString()), std::nullopt);
    }

    void anEmptyHistoryRecallsNothing()
    {
        kavrino::CommandHistory history;
        QCOMPARE(history.older(QStringLiteral("typed")), std::nullopt);
        QCOMPARE(history.newer(), std::nullopt);
        history.confirm(QString());
        QVERIFY(history.lines().isEmpty());
    }
};

QTEST_MAIN(TestCommandHistory)
#include "tst_command_history.moc"
