#include "platform/desktop/ShellStart.h"

#include "platform/desktop/DefaultApplications.h"
#include "platform/desktop/DesktopEntry.h"

#include <QFileInfo>
#include <QMimeDatabase>
#include <QProcess>

namespace platform {

namespace {

class DesktopShellStart : public ShellStartService {
public:
    bool startFile(const QString& file, const QString& parameters, const QString& directory, int) override
    {
        const QFileInfo target(file);
        if (!target.exists() || (!directory.isEmpty() && !QFileInfo(directory).isDir()))
            return false;
        // The folders and the handlers are read at each start: the user may have installed or
        // chosen another application since.
        const QMimeType type = QMimeDatabase().mimeTypeForFile(target);
        const std::optional<DesktopEntry> handler = DesktopApplications(XdgFolders::ofEnvironment()).defaultFor(type);
        if (!handler)
            return false;
        std::optional<QStringList> command
            = commandForFile(*handler, target.absoluteFilePath(), QProcess::splitCommand(parameters));
        if (!command)
            return false;
        const QString program = findProgram(command->takeFirst());
        if (program.isEmpty())
            return false;
        // Detached: the file's program outlives this one, which neither waits for it nor watches.
        return QProcess::startDetached(program, *command, directory);
    }
};

ShellStartService* installed = nullptr;

} // namespace

ShellStartService& shellStart()
{
    if (installed)
        return *installed;
    static DesktopShellStart desktop;
    return desktop;
}

void setShellStartService(ShellStartService* service)
{
    installed = service;
}

} // namespace platform
