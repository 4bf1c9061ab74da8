// A picture as the picture control holds it: empty, a bitmap or an icon. Loaded by the file's
// extension and saved in its own format; a bitmap goes to a PNG file when the name asks for one.
#pragma once

#include <QByteArray>
#include <QImage>
#include <QString>

namespace platform {

class Picture {
public:
    enum class Kind { Empty, Bitmap, Icon };

    Kind kind() const { return kind_; }
    bool isEmpty() const { return kind_ == Kind::Empty; }

    // ".bmp" and ".png" load a bitmap and ".ico" an icon, whatever the case of the extension; any
    // other extension throws InvalidGraphic. A file that is not a regular file, or of more than
    // 256 MiB, throws FileOpenError. The picture is unchanged when loading fails.
    void loadFromFile(const QString& fileName);
    // Writes the picture in its own format: an icon as it was read, a bitmap as PNG when the name
    // ends in ".png" and as a BMP file otherwise. Nothing for an empty picture.
    void saveToFile(const QString& fileName) const;

    void clear();
    void setBitmap(QImage bitmap);

    // What is shown: the bitmap, or the icon's image.
    const QImage& image() const { return image_; }
    // The bitmap to draw on; only for a bitmap picture.
    QImage& bitmap() { return image_; }

private:
    Kind kind_ = Kind::Empty;
    QImage image_;
    QByteArray iconFile_; // an icon is written back exactly as it was read
};

} // namespace platform
