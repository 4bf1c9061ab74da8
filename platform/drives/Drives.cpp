#include "platform/drives/Drives.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <algorithm>

namespace platform {

namespace {

const char* const driveMapVariable = "PLATFORM_DRIVE_MAP";

std::optional<DriveType> typeNamed(const QString& name)
{
    const QString lower = name.toLower();
    if (lower == u"cdrom")
        return DriveType::CdRom;
    if (lower == u"fixed")
        return DriveType::Fixed;
    if (lower == u"removable")
        return DriveType::Removable;
    if (lower == u"remote")
        return DriveType::Remote;
    if (lower == u"ramdisk")
        return DriveType::RamDisk;
    return std::nullopt;
}

// mountinfo writes blanks, tabs, newlines and backslashes in paths as octal escapes.
QString unescapeMountField(const QString& field)
{
    QString result;
    result.reserve(field.size());
    for (qsizetype i = 0; i < field.size(); ++i) {
        if (field[i] == u'\\' && i + 3 < field.size()) {
            bool ok = false;
            const int code = field.mid(i + 1, 3).toInt(&ok, 8);
            if (ok) {
                result += QChar(code);
                i += 3;
                continue;
            }
        }
        result += field[i];
    }
    return result;
}

QString readFile(const QString& fileName)
{
    QFile file(fileName);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return QString::fromUtf8(file.readAll());
}

QStringList opticalDevicesOfSystem()
{
    QStringList devices;
    const QStringList names = QDir(QStringLiteral("/dev")).entryList({ QStringLiteral("sr*") }, QDir::System);
    std::vector<std::pair<int, QString>> numbered;
    for (const QString& name : names) {
        bool ok = false;
        const int number = name.mid(2).toInt(&ok);
        if (ok)
            numbered.emplace_back(number, QStringLiteral("/dev/") + name);
    }
    std::sort(numbered.begin(), numbered.end());
    for (const auto& entry : numbered)
        devices << entry.second;
    return devices;
}

} // namespace

DriveMap::DriveMap(std::vector<Drive> drives)
    : drives_(std::move(drives))
{
    std::sort(drives_.begin(), drives_.end(), [](const Drive& a, const Drive& b) { return a.letter < b.letter; });
}

DriveMap DriveMap::current()
{
    const QString mapFile = qEnvironmentVariable(driveMapVariable);
    if (!mapFile.isEmpty())
        return fromMapText(readFile(mapFile));
    std::vector<DiscMount> mounts = parseDiscMounts(readFile(QStringLiteral("/proc/self/mountinfo")));
    for (DiscMount& mount : mounts)
        mount.medium = mediumOfMountSource(mount.source);
    return discover(opticalDevicesOfSystem(), mounts);
}

DriveMap DriveMap::fromMapText(const QString& text)
{
    static const QRegularExpression line(QStringLiteral(R"(^\s*([A-Za-z]):?\s+(\S+)(?:\s+(.*?))?\s*$)"));
    std::vector<Drive> drives;
    for (const QString& raw : text.split(u'\n')) {
        const QString trimmed = raw.trimmed();
        if (trimmed.isEmpty() || trimmed.startsWith(u'#'))
            continue;
        const QRegularExpressionMatch match = line.match(trimmed);
        if (!match.hasMatch())
            continue;
        const QChar letter = match.captured(1).at(0).toUpper();
        const std::optional<DriveType> type = typeNamed(match.captured(2));
        // A and B are the floppy letters, never examined by the programs.
        if (!type || letter < u'C' || letter > u'Z')
            continue;
        drives.erase(std::remove_if(drives.begin(), drives.end(), [&](const Drive& d) { return d.letter == letter; }),
            drives.end());
        // A medium follows the root after "|": the device or image file the drive's volume is on.
        const QString place = match.captured(3);
        const qsizetype bar = place.indexOf(u'|');
        const QString root = bar < 0 ? place : place.left(bar).trimmed();
        const QString medium = bar < 0 ? QString() : place.mid(bar + 1).trimmed();
        drives.push_back({ letter, *type, root, medium });
    }
    return DriveMap(std::move(drives));
}

DriveMap DriveMap::discover(const QStringList& opticalDevices, const std::vector<DiscMount>& discMounts)
{
    std::vector<Drive> drives { { u'C', DriveType::Fixed, QStringLiteral("/") } };
    char16_t next = u'D';
    const auto mountPointOf = [&](const QString& device) {
        for (const DiscMount& mount : discMounts)
            if (mount.source == device)
                return mount.mountPoint;
        return QString();
    };
    for (const QString& device : opticalDevices) {
        if (next > u'Z')
            break;
        drives.push_back({ QChar(next++), DriveType::CdRom, mountPointOf(device), device });
    }
    for (const DiscMount& mount : discMounts) {
        if (next > u'Z')
            break;
        if (!opticalDevices.contains(mount.source))
            drives.push_back({ QChar(next++), DriveType::CdRom, mount.mountPoint,
                mount.medium.isEmpty() ? mount.source : mount.medium });
    }
    return DriveMap(std::move(drives));
}

std::vector<DiscMount> DriveMap::parseDiscMounts(const QString& mountInfo)
{
    std::vector<DiscMount> mounts;
    for (const QString& line : mountInfo.split(u'\n')) {
        const QStringList fields = line.split(u' ', Qt::SkipEmptyParts);
        const qsizetype separator = fields.indexOf(QStringLiteral("-"));
        // Before the separator: id, parent, device, root, mount point, options, optional fields.
        if (separator < 6 || separator + 2 >= fields.size())
            continue;
        const QString fileSystem = fields.at(separator + 1);
        if (fileSystem != u"iso9660" && fileSystem != u"udf")
            continue;
        mounts.push_back({ unescapeMountField(fields.at(separator + 2)), unescapeMountField(fields.at(4)) });
    }
    return mounts;
}

QString DriveMap::mountSourceOf(const QString& folder, const QString& mountInfo)
{
    const QString wanted = QDir::cleanPath(folder);
    QString source;
    qsizetype longest = -1;
    for (const QString& line : mountInfo.split(u'\n')) {
        const QStringList fields = line.split(u' ', Qt::SkipEmptyParts);
        const qsizetype separator = fields.indexOf(QStringLiteral("-"));
        if (separator < 6 || separator + 2 >= fields.size())
            continue;
        const QString mountPoint = unescapeMountField(fields.at(4));
        const bool holds = mountPoint == u"/" || wanted == mountPoint || wanted.startsWith(mountPoint + u'/');
        // A later mount on the same point hides the earlier one.
        if (holds && mountPoint.size() >= longest) {
            longest = mountPoint.size();
            source = unescapeMountField(fields.at(separator + 2));
        }
    }
    return source;
}

QString DriveMap::mediumOfMountSource(const QString& source, const QString& sysBlock)
{
    static const QRegularExpression loopDevice(QStringLiteral(R"(^/dev/(loop\d+)$)"));
    const QRegularExpressionMatch loop = loopDevice.match(source);
    if (!loop.hasMatch())
        return source;
    const QString backingFile
        = readFile(QStringLiteral("%1/%2/loop/backing_file").arg(sysBlock, loop.captured(1))).trimmed();
    return backingFile.isEmpty() ? source : backingFile;
}

QString DriveMap::windowsPath(const QString& localPath) const
{
    const QString path = QDir::cleanPath(QDir::isAbsolutePath(localPath) ? localPath : QDir(localPath).absolutePath());
    QChar letter = u'C';
    QString rest = path;
    qsizetype longest = -1;
    for (const Drive& drive : drives_) {
        if (drive.root.isEmpty())
            continue;
        const QString root = QDir::cleanPath(drive.root);
        const QString prefix = root.endsWith(u'/') ? root : root + u'/';
        if ((path == root || path.startsWith(prefix)) && root.size() > longest) {
            longest = root.size();
            letter = drive.letter;
            rest = path.mid(root.size());
        }
    }
    while (rest.startsWith(u'/'))
        rest.remove(0, 1);
    rest.replace(u'/', u'\\');
    return QString(letter) + QStringLiteral(":\\") + rest;
}

std::optional<Drive> DriveMap::drive(QChar letter) const
{
    const Drive* found = find(letter);
    if (!found)
        return std::nullopt;
    return *found;
}

const Drive* DriveMap::find(QChar letter) const
{
    const QChar upper = letter.toUpper();
    for (const Drive& drive : drives_)
        if (drive.letter == upper)
            return &drive;
    return nullptr;
}

DriveType DriveMap::type(QChar letter) const
{
    const Drive* drive = find(letter);
    return drive ? drive->type : DriveType::NoRootDir;
}

QString DriveMap::root(QChar letter) const
{
    const Drive* drive = find(letter);
    return drive ? drive->root : QString();
}

QString DriveMap::letters(DriveType type) const
{
    QString result;
    for (const Drive& drive : drives_)
        if (drive.type == type && drive.letter >= u'C' && drive.letter <= u'Z')
            result += drive.letter;
    return result;
}

std::optional<QString> findEntryIgnoringCase(const QString& folder, const QString& name)
{
    const QString exact = QDir(folder).filePath(name);
    if (QFileInfo::exists(exact))
        return exact;
    const QStringList entries
        = QDir(folder).entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot);
    for (const QString& entry : entries)
        if (entry.compare(name, Qt::CaseInsensitive) == 0)
            return QDir(folder).filePath(entry);
    return std::nullopt;
}

std::optional<QString> DriveMap::resolve(const QString& windowsPath) const
{
    if (windowsPath.size() < 2 || windowsPath[1] != u':')
        return std::nullopt;
    const Drive* drive = find(windowsPath[0]);
    if (!drive || drive->root.isEmpty() || !QFileInfo(drive->root).isDir())
        return std::nullopt;
    QString path = drive->root;
    QStringList walked;
    static const QRegularExpression separators(QStringLiteral(R"([\\/])"));
    for (const QString& name : windowsPath.mid(2).split(separators, Qt::SkipEmptyParts)) {
        if (name == u".")
            continue;
        if (name == u"..") {
            // Never above the drive's root.
            if (!walked.isEmpty()) {
                walked.removeLast();
                path = QFileInfo(path).path();
            }
            continue;
        }
        const std::optional<QString> found = findEntryIgnoringCase(path, name);
        if (!found)
            return std::nullopt;
        path = *found;
        walked << name;
    }
    return path;
}

} // namespace platform
