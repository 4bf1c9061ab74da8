#include "kavrino/TurtlePortrait.h"

#include <QPainter>

namespace kavrino {

QImage turtlePortrait()
{
    QImage image(67, 50, QImage::Format_RGB888);
    image.fill(QColor(192, 192, 192));
    QPainter painter(&image);

    // Legs first, so the shell covers where they join the body.
    painter.setPen(Qt::NoPen);
    painter.setBrush(Qt::black);
    for (const int x : { 12, 38 }) {
        painter.drawRect(x, 30, 6, 12);
        painter.drawRect(x + 3, 8, 6, 10);
    }
    painter.drawRect(4, 24, 6, 3); // tail

    painter.setBrush(QColor(0, 160, 0));
    painter.setPen(QColor(0, 96, 0));
    painter.drawEllipse(QRect(46, 16, 16, 14)); // head
    painter.drawEllipse(QRect(8, 12, 42, 26)); // shell

    painter.setPen(Qt::NoPen);
    painter.setBrush(QColor(220, 0, 0));
    for (const QPoint& spot : { QPoint(18, 19), QPoint(30, 16), QPoint(38, 24), QPoint(24, 28), QPoint(14, 27) })
        painter.drawEllipse(spot, 3, 3);

    painter.setBrush(QColor(0, 0, 255));
    painter.drawEllipse(QPoint(56, 21), 2, 2);
    return image;
}

} // namespace kavrino
