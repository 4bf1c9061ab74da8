#include "platform/Directories.h"

#include <QDir>
#include <QFileInfo>

namespace platform {

bool directoryExists(const QString& path)
{
    // An empty path would otherwise stand for the working directory.
    if (path.isEmpty())
        return false;
    return QFileInfo(path).isDir();
}

bool createDirectory(const QString& path)
{
    if (path.isEmpty())
        return false;
    return QDir().mkdir(path);
}

bool removeDirectory(const QString& path)
{
    if (path.isEmpty())
        return false;
    return QDir().rmdir(path);
}

} // namespace platform
