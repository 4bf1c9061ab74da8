#include "platform/Label.h"

#include <QMouseEvent>

namespace platform {

Label::Label(const QString& text, QWidget* parent)
    : QLabel(parent)
{
    setAlignment(Qt::AlignLeft | Qt::AlignTop);
    // What the user typed is shown as typed: "<b>" is three characters, not bold.
    setTextFormat(Qt::PlainText);
    setCaption(text);
}

void Label::setCaption(const QString& text)
{
    setText(text);
    if (autoSize_)
        adjustSize();
}

void Label::setAutoSize(bool autoSize)
{
    autoSize_ = autoSize;
    if (autoSize_)
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

// Compiled here rather than in one shared object, so that a program links only the parts it uses.
#include "moc_Label.cpp"
