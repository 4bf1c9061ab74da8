// The media player component: a device type (AVI video or wave audio) and a file name, opened at
// once and played in the background. Opening checks the file there and then, so a missing,
// unreadable or wrong kind of file fails in the call itself; the playing is left to a MediaOutput
// (Qt Multimedia on the desktop, a recording stand-in in tests).
#pragma once

#include <QObject>
#include <QString>
#include <memory>

namespace platform {

enum class MediaDeviceType { AviVideo, WaveAudio };

class MediaOutput {
public:
    virtual ~MediaOutput() = default;
    // Starts playing a file that has been checked; returns at once.
    virtual void play(MediaDeviceType type, const QString& fileName) = 0;
    virtual void stop() = 0;
};

// Installs `output` (not owned) for every player; nullptr restores each player's own desktop output.
void setMediaOutput(MediaOutput* output);
// Qt Multimedia: sound on the default device, a video in a window of its own.
std::unique_ptr<MediaOutput> makeQtMediaOutput();

// Throws MediaError with the player's text when the file cannot be played as `type`.
void checkMediaFile(MediaDeviceType type, const QString& fileName);

class MediaPlayer : public QObject {
    Q_OBJECT
public:
    explicit MediaPlayer(QObject* parent = nullptr);
    ~MediaPlayer() override;

    MediaDeviceType deviceType() const { return deviceType_; }
    void setDeviceType(MediaDeviceType type) { deviceType_ = type; }
    QString fileName() const { return fileName_; }
    void setFileName(const QString& fileName) { fileName_ = fileName; }

    // Closes what was open, then checks the file; throws MediaError and stays closed on failure.
    void open();
    // Starts playing the open file in the background; throws MediaError when nothing is open.
    void play();
    void close();
    bool isOpen() const { return open_; }

private:
    MediaOutput& output();

    MediaDeviceType deviceType_ = MediaDeviceType::AviVideo;
    QString fileName_;
    bool open_ = false;
    std::unique_ptr<MediaOutput> desktopOutput_; // made on first use: Qt Multimedia is slow to load
};

} // namespace platform
