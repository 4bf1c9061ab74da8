#include "platform/StandardAnimations.h"

#include <QPainter>
#include <QPainterPath>
#include <cmath>
#include <numbers>

namespace platform {

namespace {

constexpr QSize copyFrameSize = copyFileFrameSize;
constexpr int copyFrameCount = 26;

void drawFolder(QPainter& painter, const QRect& body)
{
    const QColor outline(96, 72, 0);
    painter.setPen(outline);
    painter.setBrush(QColor(224, 184, 40));
    painter.drawRect(QRect(body.left(), body.top() - 5, body.width() / 3, 5)); // the tab
    painter.drawRect(body);
    // The front flap stands a little open so the sheet can drop in.
    painter.setBrush(QColor(248, 216, 88));
    QPainterPath flap;
    flap.moveTo(body.left() + 4, body.top() + 8);
    flap.lineTo(body.right() + 4, body.top() + 8);
    flap.lineTo(body.right(), body.bottom());
    flap.lineTo(body.left(), body.bottom());
    flap.closeSubpath();
    painter.drawPath(flap);
}

void drawSheet(QPainter& painter, const QPointF& centre, qreal angle)
{
    painter.save();
    painter.translate(centre);
    painter.rotate(angle);
    painter.setPen(QColor(64, 64, 64));
    painter.setBrush(Qt::white);
    painter.drawRect(QRectF(-7, -9, 14, 18));
    painter.setPen(QColor(0, 0, 160));
    for (int line = 0; line < 4; ++line)
        painter.drawLine(QPointF(-4, -5 + 3.5 * line), QPointF(4, -5 + 3.5 * line));
    painter.restore();
}

} // namespace

QList<QImage> copyFileAnimationFrames()
{
    const QRect from(14, 24, 44, 30);
    const QRect to(copyFrameSize.width() - 58, 24, 44, 30);
    QList<QImage> frames;
    for (int i = 0; i < copyFrameCount; ++i) {
        QImage frame(copyFrameSize, QImage::Format_ARGB32_Premultiplied);
        frame.fill(Qt::transparent);
        QPainter painter(&frame);
        painter.setRenderHint(QPainter::Antialiasing);
        drawFolder(painter, from);
        drawFolder(painter, to);
        // The sheet rises out of one folder, arcs over and sinks into the other.
        const qreal t = qreal(i) / (copyFrameCount - 1);
        const qreal x = from.center().x() + t * (to.center().x() - from.center().x());
        const qreal y = from.top() + 4 - 22 * std::sin(t * std::numbers::pi);
        drawSheet(painter, QPointF(x, y), -20 + 40 * t);
        frames << frame;
    }
    return frames;
}

} // namespace platform
