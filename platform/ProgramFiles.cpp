#include "platform/ProgramFiles.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>

namespace platform {

QString programFolder(ProgramFolder kind)
{
    // From the executable's own path rather than the working folder, so that a program started
    // from the menu finds its files wherever the package put it.
    const QFileInfo executable(QCoreApplication::applicationFilePath());
    const QString root = kind == ProgramFolder::Data ? QStringLiteral("share") : QStringLiteral(PLATFORM_MODULE_DIR);
    return QDir::cleanPath(
        executable.absolutePath() + QStringLiteral("/../") + root + u'/' + executable.fileName().toLower());
}

} // namespace platform
