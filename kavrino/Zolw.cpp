#include "kavrino/Zolw.h"

#include <QRgb>

TZolw::TZolw(QWidget* parent)
    : platform::PictureControl(parent)
{
    x_ = width() / 2;
    y_ = height() / 2;
}

void TZolw::StepForward()
{
    QImage& bitmap = canvas();
    const kavrino::StepEnd end = steps_.stepEnd(x_, y_, kat_, krok_);

    if (pisak_) {
        const QPoint from(x_, y_), to(end.x, end.y);
        kavrino::drawLineExcludingEnd(bitmap, from, to, qRgb(0, 0, 0));
        // Only the line's own pixels need painting again.
        if (isVisible())
            update(QRect(from, to).normalized());
    }
    x_ = end.x;
    y_ = end.y;

    // The turtle leaves by one edge and comes back by the other; Width and Height are the
    // control's, whatever the size of a loaded bitmap.
    if (x_ > width())
        x_ = 0;
    if (y_ > height())
        y_ = 0;
    if (x_ < 0)
        x_ = width();
    if (y_ < 0)
        y_ = height();
}

void TZolw::TurnLeft(std::int32_t degrees)
{
    kat_ = kavrino::wrappingAdd(kat_, degrees);
}

void TZolw::TurnRight(std::int32_t degrees)
{
    kat_ = kavrino::wrappingSubtract(kat_, degrees);
}
