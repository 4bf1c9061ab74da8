#include "platform/Session.h"

#include <QDBusConnection>
#include <QDBusConnectionInterface>

namespace platform {

namespace {

class DesktopSession : public SessionService {
public:
    bool requestLogOff() override
    {
        QDBusConnection bus = QDBusConnection::sessionBus();
        if (!bus.isConnected() || !bus.interface())
            return false;
        for (const LogOffCall& call : unforcedLogOffCalls()) {
            if (bus.interface()->isServiceRegistered(call.service))
                return bus.send(call.message); // fire and forget, as the original request was
        }
        return false;
    }
};

SessionService* installed = nullptr;

} // namespace

SessionService& session()
{
    if (installed)
        return *installed;
    static DesktopSession desktop;
    return desktop;
}

void setSessionService(SessionService* service)
{
    installed = service;
}

QList<LogOffCall> unforcedLogOffCalls()
{
    QList<LogOffCall> calls;

    // GNOME: mode 1 skips the confirmation dialog but still honours inhibitors (2 would force).
    QDBusMessage gnome = QDBusMessage::createMethodCall(QStringLiteral("org.gnome.SessionManager"),
        QStringLiteral("/org/gnome/SessionManager"), QStringLiteral("org.gnome.SessionManager"),
        QStringLiteral("Logout"));
    gnome << quint32(1);
    calls.append({ QStringLiteral("org.gnome.SessionManager"), gnome });

    // KDE Plasma: no confirmation, shutdown type "none" (log off), the default mode.
    QDBusMessage kde = QDBusMessage::createMethodCall(QStringLiteral("org.kde.ksmserver"), QStringLiteral("/KSMServer"),
        QStringLiteral("org.kde.KSMServerInterface"), QStringLiteral("logout"));
    kde << 0 << 0 << 0;
    calls.append({ QStringLiteral("org.kde.ksmserver"), kde });

    // Xfce: no dialog, and programs may save their state.
    QDBusMessage xfce = QDBusMessage::createMethodCall(QStringLiteral("org.xfce.SessionManager"),
        QStringLiteral("/org/xfce/SessionManager"), QStringLiteral("org.xfce.Session.Manager"),
        QStringLiteral("Logout"));
    xfce << false << true;
    calls.append({ QStringLiteral("org.xfce.SessionManager"), xfce });

    return calls;
}

} // namespace platform
