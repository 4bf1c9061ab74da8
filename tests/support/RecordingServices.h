// Recording stand-ins for the services that must never reach the real desktop in a test: the
// beep, the log-off request and the media output. Each installs itself for its lifetime.
#pragma once

#include "platform/MediaPlayer.h"
#include "platform/Session.h"

#include <QList>
#include <QString>

namespace testing {

class RecordingBeep {
public:
    RecordingBeep();
    ~RecordingBeep();
    int beeps = 0;
};

class RecordingSession : public platform::SessionService {
public:
    RecordingSession();
    ~RecordingSession() override;
    bool requestLogOff() override;
    int logOffRequests = 0;
};

class RecordingMediaOutput : public platform::MediaOutput {
public:
    struct Played {
        platform::MediaDeviceType type;
        QString fileName;
    };

    RecordingMediaOutput();
    ~RecordingMediaOutput() override;
    void play(platform::MediaDeviceType type, const QString& fileName) override;
    void stop() override { ++stops; }

    QList<Played> played;
    int stops = 0;
};

} // namespace testing
