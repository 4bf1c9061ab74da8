#include "platform/ProgramIcon.h"

#include <QPainter>
#include <QPixmap>

namespace platform {

const QList<int>& iconSizes()
{
    static const QList<int> sizes { 16, 22, 24, 32, 48, 64, 128, 256 };
    return sizes;
}

QImage paintIcon(IconPainting painting, int size)
{
    QImage image(size, size, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing, true);
    painter.scale(qreal(size) / iconGrid, qreal(size) / iconGrid);
    painting(painter);
    return image;
}

QIcon iconFromPainting(IconPainting painting)
{
    QIcon icon;
    for (int size : { 16, 24, 32, 48, 64 })
        icon.addPixmap(QPixmap::fromImage(paintIcon(painting, size)));
    return icon;
}

} // namespace platform
