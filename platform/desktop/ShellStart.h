// Starting a file the way the desktop opens it: the default application registered for the
// file's type is started, detached, in a given working folder. Tests install a recording service
// so that they start nothing; the desktop service is the real one.
#pragma once

#include <QString>

namespace platform {

class ShellStartService {
public:
    virtual ~ShellStartService() = default;

    // Hands `file` to the application for its type, with `parameters` after it on the command
    // line, started in `directory` (the current folder when empty). `showCommand` is the original
    // platform's show-window code; a desktop application decides itself how it shows. Returns
    // whether a program was started: false for a missing file or folder, a type no application is
    // registered for, or a registered program that is missing or cannot be run.
    virtual bool startFile(const QString& file, const QString& parameters, const QString& directory, int showCommand)
        = 0;
};

// The service in use: the desktop's unless a test installed another.
ShellStartService& shellStart();
// Installs `service` (not owned); nullptr restores the desktop service.
void setShellStartService(ShellStartService* service);

} // namespace platform
