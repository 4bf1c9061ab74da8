#include "platform/MediaPlayer.h"

#include "platform/ErrorReport.h"
#include "platform/Errors.h"
#include "platform/FileReading.h"
#include "platform/ProgramFiles.h"

#include <QDir>
#include <QFileInfo>
#include <QLibrary>

namespace platform {

namespace {

MediaOutput* installedOutput = nullptr;

// A RIFF file names its form in bytes 8 to 11.
QByteArray riffForm(const QByteArray& header)
{
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
    // Qt Multimedia brings some twenty libraries (sound server, codecs, network) that a program
    // would otherwise load at every start; they come with the first file played instead.
    QLibrary module(QDir(programFolder(ProgramFolder::Modules)).filePath(QStringLiteral("platform_qtmedia")));
    using Factory = MediaOutput* (*)();
    if (const auto create = reinterpret_cast<Factory>(module.resolve("platform_createQtMediaOutput")))
        return std::unique_ptr<MediaOutput>(create());
    throw MediaError(QStringLiteral("The media playback module cannot be loaded: %1").arg(module.errorString()));
}

void checkMediaFile(MediaDeviceType type, const QString& fileName)
{
    const QFileInfo info(fileName);
    if (fileName.isEmpty() || !info.exists() || info.isDir())
        throw MediaError(
            QStringLiteral("The specified file cannot be found. Make sure the path and filename are correct"));
    // A pipe or a device is no file to play: it would block or never end.
    if (!info.isFile())
        throw MediaError(QStringLiteral("The specified file cannot be played: it is not a regular file"));
    QByteArray header;
    try {
        header = readFileStart(fileName, 12);
    } catch (const FileOpenError&) {
        throw MediaError(QStringLiteral("The specified file cannot be opened. Make sure you may read it"));
    }
    const QByteArray form = riffForm(header);
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
