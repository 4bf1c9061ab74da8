#include "platform/ErrorReport.h"

#include "platform/Application.h"
#include "platform/Dialogs.h"
#include "platform/Errors.h"

namespace platform {

QString errorReportText(const QString& message)
{
    if (!message.isEmpty() && message.back() > QChar(u'.'))
        return message + u'.';
    return message;
}

void reportError(const std::exception& error)
{
    const auto* platformError = dynamic_cast<const Error*>(&error);
    const QString message = platformError ? platformError->message() : QString::fromLocal8Bit(error.what());
    dialogs().showMessage(Application::title(), errorReportText(message), MessageIcon::Error);
}

} // namespace platform
