// The desktop media output on Qt Multimedia, built as a module of its own that the media player
// loads at the first file played. It uses the program's own platform code (error report, errors),
// which the program exports to it.
#include "platform/ErrorReport.h"
#include "platform/Errors.h"
#include "platform/MediaPlayer.h"

#include <QAudioOutput>
#include <QFileInfo>
#include <QMediaPlayer>
#include <QUrl>
#include <QVideoWidget>

namespace platform {

namespace {

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

} // namespace

} // namespace platform

extern "C" Q_DECL_EXPORT platform::MediaOutput* platform_createQtMediaOutput()
{
    return new platform::QtMediaOutput();
}
