#include "platform/PictureControl.h"

#include "platform/Errors.h"

#include <QMouseEvent>
#include <QPainter>

namespace platform {

PictureControl::PictureControl(QWidget* parent)
    : QWidget(parent)
{
    resize(105, 105);
    setMouseTracking(true);
}

void PictureControl::loadFromFile(const QString& fileName)
{
    picture_.loadFromFile(fileName);
    pictureChanged();
}

void PictureControl::clearPicture()
{
    picture_.clear();
    pictureChanged();
}

void PictureControl::setBitmap(QImage bitmap)
{
    picture_.setBitmap(std::move(bitmap));
    pictureChanged();
}

QImage& PictureControl::canvas()
{
    if (picture_.kind() == Picture::Kind::Icon)
        throw InvalidGraphicOperation();
    if (picture_.isEmpty()) {
        QImage blank(std::max(width(), 1), std::max(height(), 1), QImage::Format_RGB32);
        blank.fill(Qt::white);
        picture_.setBitmap(std::move(blank));
    }
    return picture_.bitmap();
}

void PictureControl::setAutoSize(bool autoSize)
{
    autoSize_ = autoSize;
    pictureChanged();
}

void PictureControl::setStretch(bool stretch)
{
    stretch_ = stretch;
    update();
}

QSize PictureControl::sizeHint() const
{
    return picture_.isEmpty() ? QSize(105, 105) : picture_.image().size();
}

void PictureControl::pictureChanged()
{
    if (autoSize_ && !picture_.isEmpty())
        resize(picture_.image().size());
    update();
}

void PictureControl::paintEvent(QPaintEvent*)
{
    if (picture_.isEmpty())
        return;
    QPainter painter(this);
    // On a high-density screen each picture pixel becomes a block of whole device pixels, never a
    // blend of its neighbours, so lines stay as sharp as they were drawn.
    painter.setRenderHint(QPainter::SmoothPixmapTransform, false);
    if (stretch_)
        painter.drawImage(rect(), picture_.image());
    else
        painter.drawImage(0, 0, picture_.image());
}

void PictureControl::mousePressEvent(QMouseEvent* event)
{
    const QPoint p = event->position().toPoint();
    emit MouseDown(event->button(), event->modifiers(), p.x(), p.y());
}

void PictureControl::mouseMoveEvent(QMouseEvent* event)
{
    const QPoint p = event->position().toPoint();
    emit MouseMove(event->modifiers(), p.x(), p.y());
}

void PictureControl::mouseReleaseEvent(QMouseEvent* event)
{
    const QPoint p = event->position().toPoint();
    emit MouseUp(event->button(), event->modifiers(), p.x(), p.y());
    if (event->button() == Qt::LeftButton && rect().contains(p))
        emit Click();
}

void PictureControl::mouseDoubleClickEvent(QMouseEvent*)
{
    emit DblClick();
}

} // namespace platform

// Compiled here rather than in one shared object, so that a program links only the parts it uses.
#include "moc_PictureControl.cpp"
