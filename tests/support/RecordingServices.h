// Recording stand-ins for the services that must never reach the real desktop in a test: the
// beep, the log-off request, the media output and the shell start. Each installs itself for its
// lifetime.
#pragma once

#include "platform/MediaPlayer.h"
#include "platform/Session.h"
#include "platform/desktop/ShellStart.h"

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

class RecordingShellStart : public platform::ShellStartService {
public:
    struct Started {
        QString file;
        QString parameters;
        QString directory;
        int showCommand;
    };

    RecordingShellStart();
    ~RecordingShellStart() override;
    bool startFile(const QString& file, const QString& parameters, const QString& directory, int showCommand) override;

    QList<Started> started;
    bool succeeds = true; // what every start answers
};

} // namespace testing
