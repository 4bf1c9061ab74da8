// Asking the desktop session to log the user off. The request is plain and unforced: the session
// asks the running programs, which may still refuse, and no confirmation is put to the user.
// Tests install a recording service so that they never reach the real session.
#pragma once

#include <QDBusMessage>
#include <QList>
#include <QString>

namespace platform {

class SessionService {
public:
    virtual ~SessionService() = default;
    // Returns at once; false when no session manager took the request.
    virtual bool requestLogOff() = 0;
};

// The service in use: the desktop session unless a test installed another.
SessionService& session();
// Installs `service` (not owned); nullptr restores the desktop service.
void setSessionService(SessionService* service);

// The unforced log-off calls of the session managers we know, in the order they are tried.
struct LogOffCall {
    QString service; // the D-Bus name that must be present on the session bus
    QDBusMessage message;
};
QList<LogOffCall> unforcedLogOffCalls();

} // namespace platform
