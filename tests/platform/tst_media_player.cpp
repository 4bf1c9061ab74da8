#include "platform/Errors.h"
#include "platform/MediaPlayer.h"
#include "support/PipeWithoutWriter.h"
#include "support/RecordingServices.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTest>

using platform::MediaDeviceType;
Q_DECLARE_METATYPE(platform::MediaDeviceType)

class TestMediaPlayer : public QObject {
    Q_OBJECT

    QString writeFile(const QString& name, const QByteArray& bytes)
    {
        const QString path = dir_.filePath(name);
        QFile file(path);
        if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size())
            qFatal("cannot write %s", qPrintable(path));
        return path;
    }
    static QByteArray riff(const char* form) { return QByteArray("RIFF\x24\0\0\0", 8) + form + QByteArray(32, '\0'); }

    QTemporaryDir dir_;

private slots:
    void filesOfTheRightKindArePlayed_data()
    {
        QTest::addColumn<MediaDeviceType>("type");
        QTest::addColumn<QByteArray>("bytes");
        QTest::newRow("video") << MediaDeviceType::AviVideo << riff("AVI ");
        QTest::newRow("sound") << MediaDeviceType::WaveAudio << riff("WAVE");
    }
    void filesOfTheRightKindArePlayed()
    {
        QFETCH(MediaDeviceType, type);
        QFETCH(QByteArray, bytes);
        testing::RecordingMediaOutput output;
        platform::MediaPlayer player;
        player.setDeviceType(type);
        player.setFileName(writeFile(QStringLiteral("good"), bytes));
        player.open();
        player.play();
        QCOMPARE(output.played.size(), 1);
        QCOMPARE(output.played[0].type, type);
        QCOMPARE(output.played[0].fileName, player.fileName());
    }

    // Each of these must fail in open() itself, before anything is handed to the output.
    void unplayableFilesFailAtOnce_data()
    {
        QTest::addColumn<MediaDeviceType>("type");
        QTest::addColumn<QString>("name");
        QTest::addColumn<QByteArray>("bytes"); // empty: the file is not created
        QTest::addColumn<QString>("message");
        const QString missing
            = QStringLiteral("The specified file cannot be found. Make sure the path and filename are correct");
        QTest::newRow("missing") << MediaDeviceType::AviVideo << "none.avi" << QByteArray() << missing;
        QTest::newRow("empty name") << MediaDeviceType::WaveAudio << "" << QByteArray() << missing;
        QTest::newRow("sound as video") << MediaDeviceType::AviVideo << "s.avi" << riff("WAVE")
                                        << "The file cannot be played as video: it is not an AVI file or it is damaged";
        QTest::newRow("video as sound") << MediaDeviceType::WaveAudio << "v.wav" << riff("AVI ")
                                        << "The file cannot be played as sound: it is not a wave file or it is damaged";
        QTest::newRow("text") << MediaDeviceType::WaveAudio << "t.wav" << QByteArray("hello")
                              << "The file cannot be played as sound: it is not a wave file or it is damaged";
    }
    void unplayableFilesFailAtOnce()
    {
        QFETCH(MediaDeviceType, type);
        QFETCH(QString, name);
        QFETCH(QByteArray, bytes);
        QFETCH(QString, message);
        testing::RecordingMediaOutput output;
        platform::MediaPlayer player;
        player.setDeviceType(type);
        player.setFileName(
            bytes.isEmpty() ? (name.isEmpty() ? QString() : dir_.filePath(name)) : writeFile(name, bytes));
        try {
            player.open();
            QFAIL("no error raised");
        } catch (const platform::MediaError& error) {
            QCOMPARE(error.message(), message);
        }
        QVERIFY(!player.isOpen());
        QVERIFY_THROWS_EXCEPTION(platform::MediaError, player.play());
        QVERIFY(output.played.isEmpty());
    }

    void aDirectoryIsNoMediaFile()
    {
        testing::RecordingMediaOutput output;
        platform::MediaPlayer player;
        player.setFileName(dir_.path());
        QVERIFY_THROWS_EXCEPTION(platform::MediaError, player.open());
    }

    void pipesAndDevicesAreNoMediaFiles_data()
    {
        QTest::addColumn<bool>("pipe");
        QTest::newRow("pipe without writer") << true;
        QTest::newRow("link to /dev/zero") << false;
    }
    void pipesAndDevicesAreNoMediaFiles()
    {
        QFETCH(bool, pipe);
        const QString fileName = dir_.filePath(pipe ? QStringLiteral("pipe.wav") : QStringLiteral("zero.wav"));
        const testing::PipeWithoutWriter writerless(pipe ? fileName : dir_.filePath(QStringLiteral("unused")));
        if (!pipe)
            QVERIFY(QFile::link(QStringLiteral("/dev/zero"), fileName));
        testing::RecordingMediaOutput output;
        platform::MediaPlayer player;
        player.setDeviceType(MediaDeviceType::WaveAudio);
        player.setFileName(fileName);
        try {
            player.open();
            QFAIL("no error raised");
        } catch (const platform::MediaError& error) {
            QCOMPARE(error.message(), QStringLiteral("The specified file cannot be played: it is not a regular file"));
        }
        QVERIFY(output.played.isEmpty());
        QVERIFY(!writerless.readerWasStuck());
    }

    void unreadableFileFailsAtOnce()
    {
        const QString path = writeFile(QStringLiteral("locked.avi"), riff("AVI "));
        QFile::setPermissions(path, QFileDevice::WriteOwner);
        QFile probe(path);
        if (probe.open(QIODevice::ReadOnly))
            QSKIP("this user can read any file (root)");
        testing::RecordingMediaOutput output;
        platform::MediaPlayer player;
        player.setFileName(path);
        try {
            player.open();
            QFAIL("no error raised");
        } catch (const platform::MediaError& error) {
            QVERIFY(error.message().contains(QStringLiteral("cannot be opened")));
        }
    }
};

QTEST_MAIN(TestMediaPlayer)
#include "tst_media_player.moc"
