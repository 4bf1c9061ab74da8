// The 32-bit serial number of a volume, read from the raw bytes of its medium (a device or an
// image file) the way the original platform computes it for ISO 9660 discs and FAT file systems,
// so that a disc keeps its serial on either system. It mounts nothing and knows no other file system.
#pragma once

#include <QString>
#include <QtGlobal>
#include <optional>

namespace platform {

class DriveMap;

// The serial of the ISO 9660 or FAT volume on `medium`; nothing when it cannot be read or holds
// neither. Only regular files and block devices are read.
std::optional<quint32> volumeSerialOfMedium(const QString& medium);

// The serial of the volume on the drive root that `path` starts with ("D:\"): read from the
// drive's medium, or, for a drive with a root folder only, from the medium of the mount that
// holds that folder.
std::optional<quint32> volumeSerial(const DriveMap& drives, const QString& path);

} // namespace platform
