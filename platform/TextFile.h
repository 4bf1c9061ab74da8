// Plain text files as a text pad reads and writes them: UTF-8, or Windows-1250 for files from the
// original platform, with any line-break convention read as "\n". Written as UTF-8 with "\n".
// It does not guess other encodings; bytes that are not UTF-8 are taken as Windows-1250.
#pragma once

#include <QByteArray>
#include <QString>

namespace platform {

// The text of a file's bytes: UTF-8 (a leading byte-order mark dropped) when the bytes are valid
// UTF-8, Windows-1250 otherwise; "\r\n" and a lone "\r" become "\n".
QString decodeText(const QByteArray& bytes);

// Bytes in the Windows-1250 code page of the original platform, as they are, line breaks too.
QString decodeWindows1250(const QByteArray& bytes);

// The largest text file read: a text pad has no use for more, and a file that size must not fill
// the memory.
constexpr qint64 largestTextFile = 64 * 1024 * 1024;

// Throws FileOpenError with the reason when the file cannot be read, is not a regular file (a
// pipe, a device) or is larger than largestTextFile.
QString readTextFile(const QString& fileName);

// Replaces the file's content as a whole: until the new text is safely written the old file
// stays as it was. Throws FileCreateError with the system's reason when that fails.
void writeTextFile(const QString& fileName, const QString& text);

} // namespace platform
