#include "platform/Label.h"

#include <QMouseEvent>

namespace platform {

Label::Label(const QString& text, QWidget* parent)
    : QLabel(text, parent)
{
    adjustSize();
}

void Label::setCaption(const QString& text)
{
    setText(text);
    adjustSize();
}

void Label::setTextColor(const QColor& color)
{
    QPalette colours = palette();
    colours.setColor(QPalette::WindowText, color);
    setPalette(colours);
}

void Label::setBackground(const QColor& color)
{
    QPalette colours = palette();
    colours.setColor(QPalette::Window, color);
    setPalette(colours);
    setAutoFillBackground(true);
}

void Label::mouseReleaseEvent(QMouseEvent* event)
{
    if (event->button() == Qt::LeftButton && rect().contains(event->position().toPoint()))
        emit Click();
    QLabel::mouseReleaseEvent(event);
}

} // namespace platform
