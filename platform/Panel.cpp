#include "platform/Panel.h"

#include <QPainter>

namespace platform {

namespace {

// One pixel of bevel around `box`: light on the top and left edges when raised, dark when lowered.
void drawBevel(QPainter& painter, const QRect& box, Panel::Bevel bevel, const QPalette& palette)
{
    if (bevel == Panel::Bevel::None)
        return;
    const QColor light = palette.color(QPalette::Light);
    const QColor dark = palette.color(QPalette::Dark);
    const bool raised = bevel == Panel::Bevel::Raised;
    painter.setPen(raised ? light : dark);
    painter.drawLine(box.topLeft(), box.topRight());
    painter.drawLine(box.topLeft(), box.bottomLeft());
    painter.setPen(raised ? dark : light);
    painter.drawLine(box.bottomLeft(), box.bottomRight());
    painter.drawLine(box.topRight(), box.bottomRight());
}

} // namespace

Panel::Panel(QWidget* parent)
    : QWidget(parent)
{
    setAutoFillBackground(true);
}

void Panel::setBevelOuter(Bevel bevel)
{
    outer_ = bevel;
    update();
}

void Panel::setBevelInner(Bevel bevel)
{
    inner_ = bevel;
    update();
}

void Panel::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    QRect box = rect();
    drawBevel(painter, box, outer_, palette());
    if (outer_ != Bevel::None)
        box.adjust(1, 1, -1, -1);
    drawBevel(painter, box, inner_, palette());
}

} // namespace platform

// Compiled here rather than in one shared object, so that a program links only the parts it uses.
#include "moc_Panel.cpp"
