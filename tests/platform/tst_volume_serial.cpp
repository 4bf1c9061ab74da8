#include "platform/drives/Drives.h"
#include "platform/drives/VolumeSerial.h"
#include "support/DiscImages.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>
#include <sys/stat.h>

using platform::DriveMap;

namespace {

// A disc image with a small ztr_menu tree; Joliet adds a supplementary descriptor.
QString makeIso(const QTemporaryDir& dir, const QString& name, bool joliet)
{
    const QString tree = dir.filePath(name + QStringLiteral("-tree"));
    QDir().mkpath(tree + QStringLiteral("/ztr_menu"));
    QFile file(tree + QStringLiteral("/ztr_menu/ztr_menu.inw"));
    if (!file.open(QIODevice::WriteOnly))
        return {};
    file.write("nazwa={" + name.toUtf8() + "}\r\n");
    file.close();
    return testing::makeIsoImage(tree, dir.filePath(name + QStringLiteral(".iso")), name.toUpper(), joliet);
}

void write(const QString& fileName, const QByteArray& bytes)
{
    QFile file(fileName);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(bytes);
}

QByteArray descriptor(int type)
{
    QByteArray sector(2048, '\0');
    sector[0] = static_cast<char>(type);
    sector.replace(1, 5, "CD001");
    sector[6] = 1;
    return sector;
}

} // namespace

class TestVolumeSerial : public QObject {
    Q_OBJECT
private slots:
    void initTestCase()
    {
        QVERIFY2(
            !testing::systemTool(QStringLiteral("xorriso")).isEmpty(), "xorriso is needed: scripts/install-deps.sh");
        QVERIFY2(
            !testing::systemTool(QStringLiteral("mkfs.fat")).isEmpty(), "mkfs.fat is needed: scripts/install-deps.sh");
    }

    void isoImageGivesTheSumOfItsHighestDescriptor_data()
    {
        QTest::addColumn<bool>("joliet");
        QTest::addColumn<int>("type");
        QTest::newRow("primary descriptor only") << false << 1;
        QTest::newRow("Joliet descriptor wins") << true << 2;
    }
    void isoImageGivesTheSumOfItsHighestDescriptor()
    {
        QFETCH(bool, joliet);
        QFETCH(int, type);
        QTemporaryDir dir;
        const QString image = makeIso(dir, QStringLiteral("zintra"), joliet);
        QVERIFY(!image.isEmpty());
        int chosenType = -1;
        const quint32 expected = testing::isoSerialOfBytes(testing::fileBytes(image), &chosenType);
        QCOMPARE(chosenType, type);
        QCOMPARE(platform::volumeSerialOfMedium(image), std::optional<quint32>(expected));
    }

    void handMadeDescriptorsGiveAKnownSerial()
    {
        QTemporaryDir dir;
        const QString image = dir.filePath(QStringLiteral("disc.iso"));
        // Type 1, "CD001", version 1: lanes 01+30, 43+31, 44+01, 30.
        write(image, QByteArray(16 * 2048, '\0') + descriptor(1) + descriptor(255));
        QCOMPARE(platform::volumeSerialOfMedium(image), std::optional<quint32>(0x31744530));

        // A higher type counts even when it comes after a lower one, and ties go to the first.
        QByteArray supplementary = descriptor(2);
        supplementary[2047] = 0x10;
        QByteArray second = descriptor(2);
        second[2047] = 0x20;
        write(image, QByteArray(16 * 2048, '\0') + descriptor(1) + supplementary + second + descriptor(255));
        QCOMPARE(platform::volumeSerialOfMedium(image), std::optional<quint32>(0x32744540));

        // A set that never ends, or ends with nothing before its terminator, is no volume.
        write(image, QByteArray(16 * 2048, '\0') + descriptor(1) + QByteArray(2048, 'x'));
        QCOMPARE(platform::volumeSerialOfMedium(image), std::nullopt);
        write(image, QByteArray(16 * 2048, '\0') + descriptor(255));
        QCOMPARE(platform::volumeSerialOfMedium(image), std::nullopt);
    }

    void fatImageGivesItsBootSectorSerial_data()
    {
        QTest::addColumn<int>("bits");
        QTest::addColumn<QString>("volumeId");
        QTest::newRow("FAT12") << 12 << "1A2B3C4D";
        QTest::newRow("FAT16") << 16 << "00ABCDEF";
        QTest::newRow("FAT32") << 32 << "89ABCDEF";
    }
    void fatImageGivesItsBootSectorSerial()
    {
        QFETCH(int, bits);
        QFETCH(QString, volumeId);
        QTemporaryDir dir;
        const QString image = testing::makeFatImage(dir, bits, volumeId);
        QVERIFY(!image.isEmpty());
        QCOMPARE(platform::volumeSerialOfMedium(image), std::optional<quint32>(volumeId.toUInt(nullptr, 16)));
    }

    void anythingElseHasNoSerial()
    {
        QTemporaryDir dir;
        const QString zeros = dir.filePath(QStringLiteral("zeros.img"));
        write(zeros, QByteArray(64 * 2048, '\0'));
        const QString text = dir.filePath(QStringLiteral("text.txt"));
        write(text, QByteArray("nazwa={Szachy}\r\n").repeated(2000));
        const QString empty = dir.filePath(QStringLiteral("empty.img"));
        write(empty, QByteArray());
        const QString fifo = dir.filePath(QStringLiteral("fifo"));
        QCOMPARE(::mkfifo(QFile::encodeName(fifo).constData(), 0600), 0);

        QElapsedTimer timer;
        timer.start();
        for (const QString& medium : { zeros, text, empty, fifo, dir.path(), dir.filePath(QStringLiteral("none.iso")) })
            QVERIFY2(!platform::volumeSerialOfMedium(medium), qPrintable(medium));
        // A FIFO nobody writes to is passed over, not waited on.
        QVERIFY(timer.elapsed() < 10000);

        // A FAT boot sector without its extended record carries no serial.
        QTemporaryDir fatDir;
        const QString fat = testing::makeFatImage(fatDir, 12, QStringLiteral("12345678"));
        QVERIFY(!fat.isEmpty());
        QFile image(fat);
        QVERIFY(image.open(QIODevice::ReadWrite));
        image.seek(0x26);
        image.write(QByteArray(1, '\0'));
        image.close();
        QCOMPARE(platform::volumeSerialOfMedium(fat), std::nullopt);
    }

    void driveGivesTheSerialOfItsMedium()
    {
        QTemporaryDir dir;
        const QString image = makeIso(dir, QStringLiteral("dysk"), true);
        QVERIFY(!image.isEmpty());
        const quint32 expected = testing::isoSerialOfBytes(testing::fileBytes(image));
        const QString fat = testing::makeFatImage(dir, 12, QStringLiteral("0BADF00D"));
        const DriveMap drives = DriveMap::fromMapText(QStringLiteral("C: fixed /\n"
                                                                     "D: cdrom %1 | %2\n"
                                                                     "E: removable | %3\n"
                                                                     "F: cdrom %1\n"
                                                                     "G: cdrom\n")
                                                          .arg(dir.filePath(QStringLiteral("dysk-tree")), image, fat));
        QCOMPARE(platform::volumeSerial(drives, QStringLiteral("D:\\ztr_menu\\ztr_menu.inw")),
            std::optional<quint32>(expected));
        QCOMPARE(platform::volumeSerial(drives, QStringLiteral("d:\\")), std::optional<quint32>(expected));
        QCOMPARE(platform::volumeSerial(drives, QStringLiteral("E:\\SETUP.EXE")), std::optional<quint32>(0x0BADF00D));
        // A drive with a folder only is read through the mount that holds the folder: here a file
        // system that is neither a disc nor FAT.
        QCOMPARE(platform::volumeSerial(drives, QStringLiteral("F:\\ztr_menu")), std::nullopt);
        QCOMPARE(platform::volumeSerial(drives, QStringLiteral("G:\\")), std::nullopt);
        QCOMPARE(platform::volumeSerial(drives, QStringLiteral("Q:\\")), std::nullopt);
        // Only a drive root names a volume.
        QCOMPARE(platform::volumeSerial(drives, QStringLiteral("D:")), std::nullopt);
        QCOMPARE(platform::volumeSerial(drives, QStringLiteral("D:ztr_menu")), std::nullopt);
        QCOMPARE(platform::volumeSerial(drives, dir.filePath(QStringLiteral("dysk.iso"))), std::nullopt);
    }
};

QTEST_GUILESS_MAIN(TestVolumeSerial)
#include "tst_volume_serial.moc"
