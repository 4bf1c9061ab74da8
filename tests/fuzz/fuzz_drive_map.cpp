// Arbitrary text as a drive map, as mountinfo, as a path escaped the kernel's way, and as a
// Windows path on a disc. The first byte picks which. Parsing never crashes; the kernel's escapes
// come back as the path they stand for; the map holds each letter C to Z at most once, in order;
// and a resolved path always lies inside the drive's root. A wrong answer aborts.
#include "platform/drives/Drives.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <cstdint>
#include <cstdlib>

namespace {

using platform::DriveMap;
using platform::DriveType;

// A disc with a few names, one of them ":", and links that lead inside and out of it.
struct Disc {
    Disc()
    {
        QDir root(dir.path());
        root.mkpath(QStringLiteral("Gry/Szachy"));
        root.mkpath(QStringLiteral(":/x"));
        QFile(dir.filePath(QStringLiteral("Gry/Szachy/Setup.exe"))).open(QIODevice::WriteOnly);
        QFile::link(QStringLiteral("/etc"), dir.filePath(QStringLiteral("Gry/Out")));
        QFile::link(QStringLiteral("Szachy"), dir.filePath(QStringLiteral("Gry/Same")));
        QFile::link(QStringLiteral(".."), dir.filePath(QStringLiteral("Up")));
        canonicalRoot = QFileInfo(dir.path()).canonicalFilePath();
    }
    QTemporaryDir dir;
    QString canonicalRoot;
};

// What the kernel writes for a path in mountinfo: blank, tab, newline and backslash as octal.
QByteArray escapedTheKernelWay(const QByteArray& path)
{
    QByteArray escaped;
    for (const char c : path) {
        if (c == ' ' || c == '\t' || c == '\n' || c == '\\')
            escaped += '\\' + QByteArray::number(static_cast<unsigned char>(c), 8).rightJustified(3, '0');
        else
            escaped += c;
    }
    return escaped;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    static Disc disc;
    if (size == 0)
        return 0;
    const QByteArray bytes(reinterpret_cast<const char*>(data) + 1, static_cast<qsizetype>(size - 1));
    const QString text = QString::fromUtf8(bytes);
    switch (data[0] % 4) {
    case 0: {
        const DriveMap map = DriveMap::fromMapText(text);
        QChar previous(u'B');
        for (const platform::Drive& drive : map.drives()) {
            if (drive.letter <= previous || drive.letter > u'Z' || map.type(drive.letter) != drive.type)
                std::abort();
            previous = drive.letter;
        }
        break;
    }
    case 1:
        for (const platform::DiscMount& mount : DriveMap::parseDiscMounts(text))
            if (mount.mountPoint.isNull() || mount.source.isNull())
                std::abort();
        break;
    case 2: {
        // A mount point is an absolute path of UTF-8 text without NUL.
        if (bytes.contains('\0') || QString::fromUtf8(bytes).toUtf8() != bytes)
            break;
        const QByteArray path = '/' + bytes;
        const QByteArray line = "36 25 11:0 / " + escapedTheKernelWay(path) + " ro shared:5 - iso9660 /dev/sr0 ro\n";
        const auto mounts = DriveMap::parseDiscMounts(QString::fromUtf8(line));
        if (mounts.size() != 1 || mounts.front().mountPoint != QString::fromUtf8(path))
            std::abort();
        break;
    }
    default: {
        const DriveMap map({ { u'D', DriveType::CdRom, disc.dir.path() } });
        const std::optional<QString> resolved = map.resolve(QStringLiteral("D:") + text);
        if (!resolved)
            break;
        const QString canonical = QFileInfo(*resolved).canonicalFilePath();
        if (resolved->startsWith(u':') || !resolved->startsWith(disc.dir.path())
            || (canonical != disc.canonicalRoot && !canonical.startsWith(disc.canonicalRoot + u'/')))
            std::abort();
        break;
    }
    }
    return 0;
}
