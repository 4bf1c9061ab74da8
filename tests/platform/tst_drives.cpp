#include "platform/drives/Drives.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

using platform::DriveMap;
using platform::DriveType;

class TestDrives : public QObject {
    Q_OBJECT
private slots:
    void mapFileDeclaresLettersTypesAndRoots()
    {
        QTemporaryDir dir;
        QVERIFY(QDir(dir.path()).mkpath(QStringLiteral("disc one/ZTR_MENU")));
        const QString mapFile = dir.filePath(QStringLiteral("drives.map"));
        QFile file(mapFile);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(QStringLiteral("# a comment\n"
                                  "C: fixed /\n"
                                  "e: cdrom %1/disc one\n"
                                  "F cdrom\n"
                                  "A: cdrom /floppy\n"
                                  "G: tape /nowhere\n"
                                  "H: remote /mnt/net\n")
                       .arg(dir.path())
                       .toUtf8());
        file.close();
        qputenv("PLATFORM_DRIVE_MAP", mapFile.toLocal8Bit());
        const DriveMap drives = DriveMap::current();
        qunsetenv("PLATFORM_DRIVE_MAP");

        // A is never a drive of the programs, and an unknown type is no drive at all.
        QCOMPARE(drives.letters(DriveType::CdRom), QStringLiteral("EF"));
        QCOMPARE(drives.type(u'c'), DriveType::Fixed);
        QCOMPARE(drives.type(u'G'), DriveType::NoRootDir);
        QCOMPARE(drives.type(u'H'), DriveType::Remote);
        QCOMPARE(drives.root(u'E'), dir.path() + QStringLiteral("/disc one"));
        QVERIFY(drives.root(u'F').isEmpty());
    }

    void discoveryGivesOpticalDrivesLettersFromD_data()
    {
        QTest::addColumn<QStringList>("devices");
        QTest::addColumn<QString>("mountInfo");
        QTest::addColumn<QString>("letters");
        QTest::addColumn<QString>("rootOfD");
        QTest::addColumn<QString>("rootOfE");

        const QString sr0Mounted
            = QStringLiteral("36 25 11:0 / /media/cd\\040rom ro,nosuid shared:5 - iso9660 /dev/sr0 ro,utf8\n");
        const QString image = QStringLiteral("40 25 7:1 / /mnt/image rw,relatime shared:9 - udf /dev/loop1 ro\n");
        const QString other = QStringLiteral("22 1 8:1 / / rw,relatime shared:1 - ext4 /dev/sda1 rw\n");
        QTest::newRow("no optical drive") << QStringList() << other << QString() << QString() << QString();
        QTest::newRow("empty drive") << QStringList { QStringLiteral("/dev/sr0") } << other << QStringLiteral("D")
                                     << QString() << QString();
        QTest::newRow("mounted disc, octal blank")
            << QStringList { QStringLiteral("/dev/sr0") } << other + sr0Mounted << QStringLiteral("D")
            << QStringLiteral("/media/cd rom") << QString();
        QTest::newRow("drive and image") << QStringList { QStringLiteral("/dev/sr0"), QStringLiteral("/dev/sr1") }
                                         << image + sr0Mounted << QStringLiteral("DEF")
                                         << QStringLiteral("/media/cd rom") << QString();
        QTest::newRow("image alone") << QStringList() << image << QStringLiteral("D") << QStringLiteral("/mnt/image")
                                     << QString();
    }
    void discoveryGivesOpticalDrivesLettersFromD()
    {
        QFETCH(QStringList, devices);
        QFETCH(QString, mountInfo);
        QFETCH(QString, letters);
        QFETCH(QString, rootOfD);
        QFETCH(QString, rootOfE);
        const DriveMap drives = DriveMap::discover(devices, DriveMap::parseDiscMounts(mountInfo));
        QCOMPARE(drives.letters(DriveType::CdRom), letters);
        QCOMPARE(drives.type(u'C'), DriveType::Fixed);
        QCOMPARE(drives.root(u'D'), rootOfD);
        QCOMPARE(drives.root(u'E'), rootOfE);
    }

    void resolvesWindowsPathsIgnoringCase_data()
    {
        QTest::addColumn<QString>("path");
        QTest::addColumn<QString>("found"); // relative to the disc; empty: not found
        QTest::newRow("exact") << "D:\\Gry\\Szachy\\Setup.exe"
                               << "Gry/Szachy/Setup.exe";
        QTest::newRow("other case") << "d:\\GRY\\SZACHY\\SETUP.EXE"
                                    << "Gry/Szachy/Setup.exe";
        QTest::newRow("slashes and doubled separators") << "D:/gry//szachy/setup.EXE"
                                                        << "Gry/Szachy/Setup.exe";
        QTest::newRow("root") << "D:\\"
                              << "";
        QTest::newRow("missing file") << "D:\\GRY\\SZACHY\\INSTALL.EXE"
                                      << "-";
        QTest::newRow("parent cannot leave the disc") << "D:\\..\\..\\GRY\\SZACHY\\SETUP.EXE"
                                                      << "Gry/Szachy/Setup.exe";
        QTest::newRow("drive without disc") << "E:\\GRY"
                                            << "-";
        QTest::newRow("no drive") << "Q:\\GRY"
                                  << "-";
        QTest::newRow("no letter") << "GRY\\SZACHY"
                                   << "-";
    }
    void resolvesWindowsPathsIgnoringCase()
    {
        QFETCH(QString, path);
        QFETCH(QString, found);
        QTemporaryDir dir;
        QVERIFY(QDir(dir.path()).mkpath(QStringLiteral("Gry/Szachy")));
        QFile setup(dir.filePath(QStringLiteral("Gry/Szachy/Setup.exe")));
        QVERIFY(setup.open(QIODevice::WriteOnly));
        setup.close();
        const DriveMap drives({ { u'D', DriveType::CdRom, dir.path() }, { u'E', DriveType::CdRom, QString() } });
        const std::optional<QString> resolved = drives.resolve(path);
        if (found == u"-") {
            QVERIFY(!resolved);
        } else {
            QVERIFY(resolved);
            QCOMPARE(QDir::cleanPath(*resolved), QDir::cleanPath(dir.path() + u'/' + found));
        }
    }

    void mapLineMayNameTheMedium()
    {
        const DriveMap drives
            = DriveMap::fromMapText(QStringLiteral("D: cdrom /mnt/zintra 5 | /srv/płyty/zintra 5.iso\n"
                                                   "E: cdrom | /dev/sr1\n"
                                                   "F: cdrom /mnt/f\n"
                                                   "G: cdrom\n"));
        QCOMPARE(drives.letters(DriveType::CdRom), QStringLiteral("DEFG"));
        QCOMPARE(drives.root(u'D'), QStringLiteral("/mnt/zintra 5"));
        QCOMPARE(drives.drive(u'd')->medium, QStringLiteral("/srv/płyty/zintra 5.iso"));
        QVERIFY(drives.root(u'E').isEmpty());
        QCOMPARE(drives.drive(u'E')->medium, QStringLiteral("/dev/sr1"));
        QCOMPARE(drives.root(u'F'), QStringLiteral("/mnt/f"));
        QVERIFY(drives.drive(u'F')->medium.isEmpty());
        QVERIFY(drives.drive(u'G')->medium.isEmpty());
        QVERIFY(!drives.drive(u'H'));
    }

    void discoveryKnowsTheMediumOfEachDrive()
    {
        const QString mountInfo = QStringLiteral("36 25 11:0 / /media/cd ro shared:5 - iso9660 /dev/sr0 ro\n"
                                                 "40 25 7:1 / /mnt/image rw shared:9 - iso9660 /dev/loop1 ro\n"
                                                 "41 25 7:2 / /mnt/other rw shared:9 - udf /dev/loop2 ro\n");
        std::vector<platform::DiscMount> mounts = DriveMap::parseDiscMounts(mountInfo);
        QCOMPARE(mounts.size(), std::size_t(3));
        mounts[1].medium = QStringLiteral("/home/ala/zintra.iso");
        const DriveMap drives = DriveMap::discover({ QStringLiteral("/dev/sr0"), QStringLiteral("/dev/sr1") }, mounts);
        QCOMPARE(drives.drive(u'D')->medium, QStringLiteral("/dev/sr0"));
        // An empty drive still has its device, so a disc put in later is read.
        QCOMPARE(drives.drive(u'E')->medium, QStringLiteral("/dev/sr1"));
        QCOMPARE(drives.drive(u'F')->medium, QStringLiteral("/home/ala/zintra.iso"));
        QCOMPARE(drives.drive(u'G')->medium, QStringLiteral("/dev/loop2"));
        QVERIFY(drives.drive(u'C')->medium.isEmpty());
    }

    void loopDeviceIsReadThroughItsBackingFile()
    {
        QTemporaryDir sys;
        QVERIFY(QDir(sys.path()).mkpath(QStringLiteral("loop7/loop")));
        QFile backing(sys.filePath(QStringLiteral("loop7/loop/backing_file")));
        QVERIFY(backing.open(QIODevice::WriteOnly));
        backing.write("/home/ala/p\xc5\x82yta 7.iso\n");
        backing.close();
        QCOMPARE(DriveMap::mediumOfMountSource(QStringLiteral("/dev/loop7"), sys.path()),
            QStringLiteral("/home/ala/płyta 7.iso"));
        // A loop device without a backing file, and any other source, read from themselves.
        QCOMPARE(DriveMap::mediumOfMountSource(QStringLiteral("/dev/loop8"), sys.path()), QStringLiteral("/dev/loop8"));
        QCOMPARE(DriveMap::mediumOfMountSource(QStringLiteral("/dev/sr0"), sys.path()), QStringLiteral("/dev/sr0"));
    }

    void mountSourceOfAFolder_data()
    {
        QTest::addColumn<QString>("folder");
        QTest::addColumn<QString>("source");
        QTest::newRow("below the root") << "/home/ala"
                                        << "/dev/sda1";
        QTest::newRow("mount point itself") << "/media/cd rom"
                                            << "/dev/sr0";
        QTest::newRow("below a mount, longest wins") << "/media/cd rom/ztr_menu/"
                                                     << "/dev/sr0";
        QTest::newRow("name that only starts alike") << "/media/cd romek"
                                                     << "tmpfs";
        QTest::newRow("later mount on the same point") << "/mnt/img/a"
                                                       << "/dev/loop3";
    }
    void mountSourceOfAFolder()
    {
        QFETCH(QString, folder);
        QFETCH(QString, source);
        const QString mountInfo = QStringLiteral("22 1 8:1 / / rw shared:1 - ext4 /dev/sda1 rw\n"
                                                 "36 22 11:0 / /media/cd\\040rom ro shared:5 - iso9660 /dev/sr0 ro\n"
                                                 "37 22 0:5 / /media rw shared:2 - tmpfs tmpfs rw\n"
                                                 "40 22 7:2 / /mnt/img rw - iso9660 /dev/loop2 ro\n"
                                                 "41 22 7:3 / /mnt/img rw - iso9660 /dev/loop3 ro\n");
        QCOMPARE(DriveMap::mountSourceOf(folder, mountInfo), source);
    }

    void windowsPathOfALocalPath_data()
    {
        QTest::addColumn<QString>("local");
        QTest::addColumn<QString>("windows");
        QTest::newRow("on a disc") << "/media/cd/ztr_menu/ztr_menu.inw"
                                   << "D:\\ztr_menu\\ztr_menu.inw";
        QTest::newRow("deeper root wins over its parent") << "/media/cd/inner/x.ini"
                                                          << "E:\\x.ini";
        QTest::newRow("root with a trailing slash") << "/srv/f/a/b"
                                                    << "F:\\a\\b";
        QTest::newRow("drive root itself") << "/media/cd"
                                           << "D:\\";
        QTest::newRow("name that only starts alike") << "/media/cdrom/x"
                                                     << "C:\\media\\cdrom\\x";
        QTest::newRow("elsewhere is on C") << "/home/ala/menu.ini"
                                           << "C:\\home\\ala\\menu.ini";
        QTest::newRow("dots are cleaned") << "/media/cd/a/../b.ini"
                                          << "D:\\b.ini";
    }
    void windowsPathOfALocalPath()
    {
        QFETCH(QString, local);
        QFETCH(QString, windows);
        const DriveMap drives(
            { { u'C', DriveType::Fixed, QStringLiteral("/") }, { u'D', DriveType::CdRom, QStringLiteral("/media/cd") },
                { u'E', DriveType::CdRom, QStringLiteral("/media/cd/inner") },
                { u'F', DriveType::CdRom, QStringLiteral("/srv/f/") }, { u'G', DriveType::CdRom, QString() } });
        QCOMPARE(drives.windowsPath(local), windows);
        // With no drive at the root file system a path outside every drive is still on C.
        const DriveMap discsOnly({ { u'D', DriveType::CdRom, QStringLiteral("/media/cd") } });
        QCOMPARE(discsOnly.windowsPath(QStringLiteral("/home/x")), QStringLiteral("C:\\home\\x"));
    }
};

QTEST_GUILESS_MAIN(TestDrives)
#include "tst_drives.moc"
