#include "kavrino/TurtlePictures.h"

#include "platform/ProgramIcon.h"

#include <QPainter>
#include <QPainterPath>

namespace kavrino {

namespace {

QImage blank(int width, int height)
{
    QImage image(width, height, QImage::Format_RGB32);
    image.fill(Qt::white);
    return image;
}

// Sides from both ends of the base to the tip; the base is a frame three pixels deep with the
// red line in its middle.
void drawTurtle(QImage& image, QPoint tip, QPoint baseEndA, QPoint baseEndB, QRect frame, QLine red)
{
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing, false);
    painter.setPen(Qt::black);
    painter.drawLine(baseEndA, tip);
    painter.drawLine(baseEndB, tip);
    painter.drawRect(frame);
    painter.setPen(Qt::red);
    painter.drawLine(red);
}

} // namespace

QImage turtlePictureUp()
{
    QImage image = blank(15, 18);
    drawTurtle(image, { 7, 0 }, { 0, 15 }, { 14, 15 }, QRect(0, 15, 14, 2), QLine(1, 16, 13, 16));
    return image;
}

QImage turtlePictureDown()
{
    QImage image = blank(16, 24);
    drawTurtle(image, { 7, 23 }, { 0, 8 }, { 14, 8 }, QRect(0, 6, 14, 2), QLine(1, 7, 13, 7));
    return image;
}

QImage turtlePictureRight()
{
    QImage image = blank(24, 16);
    drawTurtle(image, { 23, 7 }, { 3, 0 }, { 3, 14 }, QRect(1, 0, 2, 14), QLine(2, 1, 2, 13));
    return image;
}

QImage turtlePictureLeft()
{
    QImage image = blank(24, 16);
    drawTurtle(image, { 0, 7 }, { 20, 0 }, { 20, 14 }, QRect(20, 0, 2, 14), QLine(21, 1, 21, 13));
    return image;
}

void paintTurtleIcon(QPainter& painter)
{
    const QColor skin(110, 170, 70);
    painter.setPen(QPen(QColor(40, 70, 20), 1));
    painter.setBrush(skin);
    // Legs and head first, so that the shell covers their roots.
    painter.drawEllipse(QRectF(4, 6, 7, 7));
    painter.drawEllipse(QRectF(21, 6, 7, 7));
    painter.drawEllipse(QRectF(4, 20, 7, 7));
    painter.drawEllipse(QRectF(21, 20, 7, 7));
    painter.drawEllipse(QRectF(12.5, 1, 7, 8));
    painter.setBrush(QColor(60, 120, 40));
    painter.drawEllipse(QRectF(7, 7, 18, 21));
    painter.setPen(QPen(QColor(170, 210, 120), 1.2));
    painter.drawLine(QPointF(16, 9), QPointF(16, 26));
    painter.drawLine(QPointF(9, 17.5), QPointF(23, 17.5));
}

QIcon turtleIcon()
{
    return platform::iconFromPainting(paintTurtleIcon);
}

} // namespace kavrino
