// Drives by letter, C to Z, as the programs know them from their original platform. Linux has no
// drive letters: C is the root file system, optical drives and mounted disc images take letters
// from D on, or a drive map file named by PLATFORM_DRIVE_MAP declares every letter itself.
#pragma once

#include <QChar>
#include <QString>
#include <QStringList>
#include <optional>
#include <vector>

namespace platform {

// The values of the original platform's drive-type query.
enum class DriveType { Unknown = 0, NoRootDir = 1, Removable = 2, Fixed = 3, Remote = 4, CdRom = 5, RamDisk = 6 };

struct Drive {
    QChar letter; // upper case, C to Z
    DriveType type;
    QString root; // folder the drive's root stands for; empty while no disc is in the drive
    QString medium = {}; // device or image file the drive's volume is read from; empty when unknown
};

// A mount of an optical medium as /proc/self/mountinfo gives it.
struct DiscMount {
    QString source; // "/dev/sr0", or the loop device of an image
    QString mountPoint;
    QString medium = {}; // what the source reads from, when that is not the source itself
};

class DriveMap {
public:
    DriveMap() = default;
    explicit DriveMap(std::vector<Drive> drives);

    // The map file named by PLATFORM_DRIVE_MAP when it is set, otherwise what the system shows.
    static DriveMap current();

    // Lines "<letter>: <type> [<root>] [| <medium>]"; "#" starts a comment; unreadable lines are
    // skipped. Types: cdrom, fixed, removable, remote, ramdisk.
    static DriveMap fromMapText(const QString& text);

    // C is "/"; each optical device in `opticalDevices` (in that order), then each other mounted
    // disc image, takes the next letter from D on, rooted where it is mounted.
    static DriveMap discover(const QStringList& opticalDevices, const std::vector<DiscMount>& discMounts);

    // The ISO 9660 and UDF mounts listed in mountinfo text, in the order given.
    static std::vector<DiscMount> parseDiscMounts(const QString& mountInfo);

    // The source of the mount that holds `folder` (the longest mount point above it) in mountinfo
    // text; empty when none does.
    static QString mountSourceOf(const QString& folder, const QString& mountInfo);
    // What a mount source reads from: a loop device's backing file as `sysBlock` shows it, so that
    // an image stays readable where its loop device is not; any other source as it is.
    static QString mediumOfMountSource(const QString& source, const QString& sysBlock = QStringLiteral("/sys/block"));

    const std::vector<Drive>& drives() const { return drives_; }

    // The type of the drive root "<letter>:\"; NoRootDir for a letter with no drive.
    DriveType type(QChar letter) const;
    QString root(QChar letter) const;
    // The letters of every drive of `type`, from C to Z, without separators.
    QString letters(DriveType type) const;

    // The existing file or folder that a path like "D:\DIR\FILE.EXE" names, each name matched
    // without regard to case; nothing when the drive, its disc or any part of the path is missing.
    std::optional<QString> resolve(const QString& windowsPath) const;

    // The path like "D:\DIR\FILE.EXE" of a local path: on the drive whose root holds it, the
    // longest root winning; on C, the root file system, when no drive's root holds it.
    QString windowsPath(const QString& localPath) const;

    // The drive of `letter`, or nothing.
    std::optional<Drive> drive(QChar letter) const;

private:
    const Drive* find(QChar letter) const;

    std::vector<Drive> drives_;
};

// Finds `name` in `folder`: the exact name when it exists, otherwise the first entry that equals it
// without regard to case.
std::optional<QString> findEntryIgnoringCase(const QString& folder, const QString& name);

} // namespace platform
