// Real disc and FAT images for the tests, made by the system's own tools (xorriso, mkfs.fat),
// and the serial a disc image should give, worked out from its bytes apart from the code under test.
#pragma once

#include <QByteArray>
#include <QString>
#include <QtGlobal>

class QTemporaryDir;

namespace testing {

// The path of a system tool, looked for in the sbin folders too; empty when it is missing.
QString systemTool(const QString& name);

// An ISO 9660 image of the folder `tree`, with Joliet when asked; empty when xorriso failed.
QString makeIsoImage(const QString& tree, const QString& image, const QString& volumeName, bool joliet);

// A FAT12, FAT16 or FAT32 image with the volume id given in 8 hexadecimal digits; empty on failure.
QString makeFatImage(const QTemporaryDir& dir, int bits, const QString& volumeId);

// The volume descriptor of the highest type before the terminator, its bytes summed into four
// lanes, lane 0 the most significant. `chosenType` receives that descriptor's type.
quint32 isoSerialOfBytes(const QByteArray& image, int* chosenType = nullptr);

QByteArray fileBytes(const QString& fileName);

} // namespace testing
