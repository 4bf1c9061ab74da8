#include "platform/Label.h"

#include <QMouseEvent>

namespace platform {

Label::Label(const QString& text, QWidget* parent)
    : QLabel(parent)
{
    setAlignment(Qt::AlignLeft | Qt::AlignTop);
    setText(text);
}

void Label::setText(const QString& text)
{
    QLabel::setText(text);
    if (autoSize_)
        adjustSize();
}

void Label::setAutoSize(bool autoSize)
{
    autoSize_ = autoSize;
    if (autoSize_)
        adjustSize();
}

// The owner usually sets the window font after creating its labels.
void Label::changeEvent(QEvent* event)
{
    QLabel::changeEvent(event);
    if (event->type() == QEvent::FontChange && autoSize_)
        adjustSize();
}

void Label::mouseReleaseEvent(QMouseEvent* event)
{
    QLabel::mouseReleaseEvent(event);
    if (event->button() == Qt::LeftButton && rect().contains(event->position().toPoint()))
        emit Click();
}

} // namespace platform
