// Reading files that a user names, so that no name can stall or swamp a program: only regular
// files are read (a pipe with no writer would block for ever, a device such as /dev/zero never
// ends), and never more than a bound the caller gives. Names are file system paths, never Qt
// resources.
#pragma once

#include <QByteArray>
#include <QString>

namespace platform {

// The whole file. Throws FileOpenError with the reason when it cannot be opened, is not a regular
// file or holds more than `largest` bytes.
QByteArray readWholeFile(const QString& fileName, qint64 largest);

// The first `count` bytes of the file, fewer when it is shorter; throws as readWholeFile does.
QByteArray readFileStart(const QString& fileName, qint64 count);

} // namespace platform
