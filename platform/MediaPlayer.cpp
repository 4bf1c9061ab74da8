#include "platform/MediaPlayer.h"

#include "platform/ErrorReport.h"
#include "platform/Errors.h"

#include <QAudioOutput>
#include <QFile>
#include <QFileInfo>
#include <QMediaPlayer>
#include <QUrl>
#include <QVideoWidget>

namespace platform {

namespace {

MediaOutput* installedOutput = nullptr;

class QtMediaOutput : public MediaOutput {
public:
    ~QtMediaOutput() override
    {
        if (player_)
            player_->stop();
    }

    void play(MediaDeviceType type, const QString& fileName) override
    {
        ensurePlayer();
        player_->stop();
        if (type == MediaDeviceType::AviVideo) {
            ensureVideoWindow();
            player_->setVideoOutput(videoWindow_.get());
            videoWindow_->setWindowTitle(QFileInfo(fileName).fileName());
            videoWindow_->show();
        } else {
            player_->setVideoOutput(nullptr);
        }
        player_->setSource(QUrl::fromLocalFile(QFileInfo(fileName).absoluteFilePath()));
        player_->play();
    }

    void stop() override
    {
        if (player_)
            player_->stop();
        if (videoWindow_)
            videoWindow_->hide();
    }

private:
    void ensurePlayer()
    {
        if (player_)
            return;
        player_ = std::make_unique<QMediaPlayer>();
        audio_ = std::make_unique<QAudioOutput>();
        player_->setAudioOutput(audio_.get());
        // The file passed our checks, so a late failure is a decoder's: tell the user anyway.
        QObject::connect(player_.get(), &QMediaPlayer::errorOccurred, player_.get(),
            [](QMediaPlayer::Error, const QString& text) { runGuarded([&] { throw MediaError(text); }); });
    }

    void ensureVideoWindow()
    {
        if (videoWindow_)
            return;
        videoWindow_ = std::make_unique<QVideoWidget>();
        videoWindow_->resize(320, 240);
    }

    std::unique_ptr<QVideoWidget> videoWindow_;
    std::unique_ptr<QAudioOutput> audio_;
    std::unique_ptr<QMediaPlayer> player_;
};

// A RIFF file names its form in bytes 8 to 11.
QByteArray riffForm(QFile& file)
{
    const QByteArray header = file.read(12);
    if (header.size() < 12 || !header.startsWith("RIFF"))
        return {};
    return header.mid(8, 4);
}

} // namespace

void setMediaOutput(MediaOutput* output)
{
    installedOutput = output;
}

std::unique_ptr<MediaOutput> makeQtMediaOutput()
{
    return std::make_unique<QtMediaOutput>();
}

void checkMediaFile(MediaDeviceType type, const QString& fileName)
{
    const QFileInfo info(fileName);
    if (fileName.isEmpty() || !info.exists() || info.isDir())
        throw MediaError(
            QStringLiteral("The specified file cannot be found. Make sure the path and filename are correct"));
    QFile file(fileName);
    if (!file.open(QIODevice::ReadOnly))
        throw MediaError(QStringLiteral("The specified file cannot be opened. Make sure you may read it"));
    const QByteArray form = riffForm(file);
    if (type == MediaDeviceType::AviVideo && form != "AVI ")
        throw MediaError(QStringLiteral("The file cannot be played as video: it is not an AVI file or it is damaged"));
    if (type == MediaDeviceType::WaveAudio && form != "WAVE")
        throw MediaError(QStringLiteral("The file cannot be played as sound: it is not a wave file or it is damaged"));
}

MediaPlayer::MediaPlayer(QObject* parent)
    : QObject(parent)
{
}

MediaPlayer::~MediaPlayer() = default;

void MediaPlayer::open()
{
    close();
    checkMediaFile(deviceType_, fileName_);
    open_ = true;
}

void MediaPlayer::play()
{
    if (!open_)
        throw MediaError(QStringLiteral("The device is not open"));
    output().play(deviceType_, fileName_);
}

void MediaPlayer::close()
{
    if (!open_)
        return;
    open_ = false;
    output().stop();
}

MediaOutput& MediaPlayer::output()
{
    if (installedOutput)
        return *installedOutput;
    if (!desktopOutput_)
        desktopOutput_ = makeQtMediaOutput();
    return *desktopOutput_;
}

} // namespace platform

// Compiled here rather than in one shared object, so that a program links only the parts it uses.
#include "moc_MediaPlayer.cpp"
