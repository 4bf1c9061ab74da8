#include "platform/Picture.h"

#include "platform/Errors.h"
#include "platform/FileReading.h"
#include "platform/FileWriting.h"

#include <QBuffer>
#include <QFileInfo>
#include <QImageReader>
#include <QPainter>

namespace platform {

namespace {

// Qt refuses to decode an image of more than 256 MiB, so a larger file is never read whole.
constexpr qint64 largestPictureFile = 256 * 1024 * 1024;

QImage decode(const QByteArray& data, const char* format)
{
    QBuffer buffer;
    buffer.setData(data);
    QImageReader reader(&buffer, format);
    reader.setDecideFormatFromContent(false);
    return reader.read();
}

bool hasExtension(const QString& fileName, QStringView extension)
{
    return QFileInfo(fileName).suffix().compare(extension, Qt::CaseInsensitive) == 0;
}

} // namespace

void Picture::loadFromFile(const QString& fileName)
{
    const bool isBitmap = hasExtension(fileName, u"bmp");
    const bool isPng = hasExtension(fileName, u"png");
    const bool isIcon = hasExtension(fileName, u"ico");
    if (!isBitmap && !isPng && !isIcon)
        throw InvalidGraphic::unknownExtension(QFileInfo(fileName).suffix());

    const QByteArray data = readWholeFile(fileName, largestPictureFile);
    QImage image = decode(data, isBitmap ? "bmp" : isPng ? "png" : "ico");
    if (image.isNull())
        throw isBitmap ? InvalidGraphic::invalidBitmap()
            : isPng    ? InvalidGraphic(QStringLiteral("PNG image is not valid"))
                       : InvalidGraphic(QStringLiteral("Icon image is not valid"));

    if (!isIcon) {
        setBitmap(std::move(image));
    } else {
        kind_ = Kind::Icon;
        image_ = std::move(image);
        iconFile_ = data;
    }
}

void Picture::saveToFile(const QString& fileName) const
{
    switch (kind_) {
    case Kind::Empty: return;
    case Kind::Icon: writeWholeFile(fileName, iconFile_); return;
    case Kind::Bitmap: {
        QByteArray data;
        QBuffer buffer(&data);
        buffer.open(QIODevice::WriteOnly);
        if (!image_.save(&buffer, hasExtension(fileName, u"png") ? "PNG" : "BMP"))
            throw FileCreateError(fileName, QStringLiteral("The bitmap could not be encoded"));
        writeWholeFile(fileName, data);
        return;
    }
    }
}

void Picture::clear()
{
    kind_ = Kind::Empty;
    image_ = QImage();
    iconFile_.clear();
}

void Picture::setBitmap(QImage bitmap)
{
    // One pixel format for every bitmap, so that drawing needs no case for each. What a PNG leaves
    // transparent shows the white of a fresh canvas.
    if (bitmap.hasAlphaChannel()) {
        QImage opaque(bitmap.size(), QImage::Format_RGB32);
        opaque.fill(Qt::white);
        QPainter(&opaque).drawImage(0, 0, bitmap);
        bitmap = std::move(opaque);
    }
    if (bitmap.format() != QImage::Format_RGB32)
        bitmap = bitmap.convertToFormat(QImage::Format_RGB32);
    kind_ = Kind::Bitmap;
    image_ = std::move(bitmap);
    iconFile_.clear();
}

} // namespace platform
