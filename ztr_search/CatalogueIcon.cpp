#include "ztr_search/CatalogueIcon.h"

#include "platform/ProgramIcon.h"

#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>

void paintCatalogueIcon(QPainter& painter)
{
    // The disc, its hole cut out so that the background shows through as on a real one.
    const QPointF discCentre(13, 13);
    QPainterPath disc;
    disc.addEllipse(discCentre, 12, 12);
    disc.addEllipse(discCentre, 2, 2);
    QLinearGradient sheen(QPointF(3, 3), QPointF(23, 23));
    sheen.setColorAt(0.0, QColor(235, 240, 250));
    sheen.setColorAt(0.35, QColor(190, 220, 245));
    sheen.setColorAt(0.55, QColor(245, 225, 190));
    sheen.setColorAt(1.0, QColor(175, 185, 205));
    painter.setPen(QPen(QColor(85, 95, 115), 1));
    painter.setBrush(sheen);
    painter.drawPath(disc);
    painter.setPen(QPen(QColor(150, 160, 180), 0.8));
    painter.setBrush(Qt::NoBrush);
    painter.drawEllipse(discCentre, 4.5, 4.5);

    // The glass over the disc's lower right, its handle pointing away from it.
    painter.setPen(QPen(QColor(90, 55, 25), 3.5, Qt::SolidLine, Qt::RoundCap));
    painter.drawLine(QPointF(25.5, 25.5), QPointF(30, 30));
    painter.setPen(QPen(QColor(45, 50, 60), 2));
    painter.setBrush(QColor(200, 230, 255, 150));
    painter.drawEllipse(QPointF(21, 21), 6, 6);
    painter.setPen(QPen(QColor(255, 255, 255, 200), 1.2, Qt::SolidLine, Qt::RoundCap));
    painter.drawArc(QRectF(17.5, 17.5, 7, 7), 100 * 16, 70 * 16);
}

QIcon catalogueIcon()
{
    return platform::iconFromPainting(paintCatalogueIcon);
}
