#include "platform/FileReading.h"

#include "platform/Errors.h"

#include <QFile>
#include <algorithm>
#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace platform {

namespace {

QString largeText(qint64 bytes)
{
    constexpr qint64 mebibyte = 1024 * 1024;
    if (bytes % mebibyte == 0)
        return QStringLiteral("%1 MiB").arg(bytes / mebibyte);
    return QStringLiteral("%1 bytes").arg(bytes);
}

// Reads up to `count` bytes of a regular file; `whole` refuses a file with more.
QByteArray readRegularFile(const QString& fileName, qint64 count, bool whole)
{
    // Opening without blocking: a pipe with no writer would hold open() itself for ever.
    const int descriptor = ::open(QFile::encodeName(fileName).constData(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (descriptor < 0)
        throw FileOpenError(fileName, qt_error_string(errno));
    const struct Closing {
        int descriptor;
        ~Closing() { ::close(descriptor); }
    } closing { descriptor };
    struct stat status { };
    if (::fstat(descriptor, &status) != 0)
        throw FileOpenError(fileName, qt_error_string(errno));
    if (S_ISDIR(status.st_mode))
        throw FileOpenError(fileName, qt_error_string(EISDIR));
    if (!S_ISREG(status.st_mode))
        throw FileOpenError(fileName, QStringLiteral("It is not a regular file"));
    if (whole && status.st_size > count)
        throw FileOpenError(fileName, QStringLiteral("It is larger than %1").arg(largeText(count)));

    // Room for what the file says it holds and one byte more, to see its end; a file may grow
    // while it is read, and some (in /proc) say they hold nothing.
    const qint64 wanted = whole ? count + 1 : count;
    QByteArray data;
    data.resize(static_cast<qsizetype>(std::min<qint64>(wanted, std::max<qint64>(status.st_size + 1, 4096))));
    qint64 done = 0;
    while (done < wanted) {
        if (done == data.size())
            data.resize(static_cast<qsizetype>(std::min<qint64>(wanted, done * 2)));
        const ssize_t got = ::read(descriptor, data.data() + done, static_cast<std::size_t>(data.size() - done));
        if (got < 0 && errno == EINTR)
            continue;
        if (got < 0)
            throw FileOpenError(fileName, qt_error_string(errno));
        if (got == 0)
            break;
        done += got;
    }
    if (whole && done > count)
        throw FileOpenError(fileName, QStringLiteral("It is larger than %1").arg(largeText(count)));
    data.truncate(static_cast<qsizetype>(done));
    return data;
}

} // namespace

QByteArray readWholeFile(const QString& fileName, qint64 largest)
{
    return readRegularFile(fileName, largest, true);
}

QByteArray readFileStart(const QString& fileName, qint64 count)
{
    return readRegularFile(fileName, count, false);
}

} // namespace platform
