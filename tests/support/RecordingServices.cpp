#include "support/RecordingServices.h"

#include "platform/Beep.h"

namespace testing {

RecordingBeep::RecordingBeep()
{
    platform::setBeepHandler([this] { ++beeps; });
}

RecordingBeep::~RecordingBeep()
{
    platform::setBeepHandler({});
}

RecordingSession::RecordingSession()
{
    platform::setSessionService(this);
}

RecordingSession::~RecordingSession()
{
    platform::setSessionService(nullptr);
}

bool RecordingSession::requestLogOff()
{
    ++logOffRequests;
    return true;
}

RecordingMediaOutput::RecordingMediaOutput()
{
    platform::setMediaOutput(this);
}

RecordingMediaOutput::~RecordingMediaOutput()
{
    platform::setMediaOutput(nullptr);
}

void RecordingMediaOutput::play(platform::MediaDeviceType type, const QString& fileName)
{
    played.append({ type, fileName });
}

RecordingShellStart::RecordingShellStart()
{
    platform::setShellStartService(this);
}

RecordingShellStart::~RecordingShellStart()
{
    platform::setShellStartService(nullptr);
}

bool RecordingShellStart::startFile(
    const QString& file, const QString& parameters, const QString& directory, int showCommand)
{
    started.append({ file, parameters, directory, showCommand });
    return succeeds;
}

} // namespace testing
