#include "platform/Clock.h"
#include "platform/Directories.h"
#include "platform/Session.h"

#include <QDBusArgument>
#include <QDir>
#include <QFile>
#include <QLocale>
#include <QTemporaryDir>
#include <QTest>

class TestSystemServices : public QObject {
    Q_OBJECT
private slots:
    void directoriesAreCreatedTestedAndRemovedOneLevelAtATime()
    {
        QTemporaryDir root;
        QVERIFY(root.isValid());
        const QString folder = root.filePath(QStringLiteral("gry"));
        const QString nested = root.filePath(QStringLiteral("brak/asteroid"));

        QVERIFY(!platform::directoryExists(folder));
        QVERIFY(platform::createDirectory(folder));
        QVERIFY(platform::directoryExists(folder));
        QVERIFY(!platform::createDirectory(folder)); // already there

        // No parents are made on the way.
        QVERIFY(!platform::createDirectory(nested));
        QVERIFY(!platform::directoryExists(root.filePath(QStringLiteral("brak"))));

        QFile file(QDir(folder).filePath(QStringLiteral("plik.txt")));
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.close();
        QVERIFY(!platform::removeDirectory(folder)); // not empty
        QVERIFY(platform::directoryExists(folder));
        QVERIFY(!platform::directoryExists(file.fileName())); // a file is no directory
        QVERIFY(file.remove());
        QVERIFY(platform::removeDirectory(folder));
        QVERIFY(!platform::directoryExists(folder));
    }

    // An empty path must not stand for the working directory: it would exist, and could be removed.
    void emptyPathIsNoDirectory()
    {
        QTemporaryDir root;
        const QString previous = QDir::currentPath();
        QDir::setCurrent(root.path());
        QVERIFY(!platform::directoryExists(QString()));
        QVERIFY(!platform::removeDirectory(QString()));
        QVERIFY(!platform::createDirectory(QString()));
        QDir::setCurrent(previous);
        QVERIFY(QFileInfo(root.path()).isDir());
    }

    void timeOfDayHasSecondsAndNoTimeZone()
    {
        const QTime time(13, 4, 5);
        const QString text = platform::longTimeText(time);
        QVERIFY2(text.contains(QStringLiteral("05")), qPrintable(text));
        QVERIFY2(text.contains(QStringLiteral("04")), qPrintable(text));
        const QString zone = QDateTime::currentDateTime().timeZoneAbbreviation();
        QVERIFY2(zone.isEmpty() || !text.contains(zone), qPrintable(text));
    }

    void fixedMomentDrivesTheTexts()
    {
        const QDateTime moment(QDate(2024, 12, 24), QTime(8, 30, 15));
        platform::setFixedDateTime(moment);
        QCOMPARE(platform::todayText(), QLocale::system().toString(moment.date(), QLocale::ShortFormat));
        QCOMPARE(platform::timeOfDayText(), platform::longTimeText(moment.time()));
        platform::setFixedDateTime(std::nullopt);
        QVERIFY(platform::currentDateTime() != moment);
    }

    // The request must never force the log-off: running programs may still refuse it.
    void logOffCallsAreUnforced()
    {
        const QList<platform::LogOffCall> calls = platform::unforcedLogOffCalls();
        QVERIFY(!calls.isEmpty());
        for (const platform::LogOffCall& call : calls)
            QCOMPARE(call.message.service(), call.service);

        const QDBusMessage gnome = calls.at(0).message;
        QCOMPARE(gnome.member(), QStringLiteral("Logout"));
        QCOMPARE(gnome.arguments().value(0).toUInt(), 1u); // 2 would ignore inhibitors

        const QDBusMessage kde = calls.at(1).message;
        QCOMPARE(kde.arguments().value(0).toInt(), 0); // no confirmation
        QCOMPARE(kde.arguments().value(1).toInt(), 0); // log off, not halt or reboot

        const QDBusMessage xfce = calls.at(2).message;
        QCOMPARE(xfce.arguments().value(1).toBool(), true); // programs may save and refuse
    }
};

QTEST_MAIN(TestSystemServices)
#include "tst_system_services.moc"
