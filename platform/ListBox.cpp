#include "platform/ListBox.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QScrollBar>
#include <algorithm>

namespace platform {

ListBox::ListBox(QWidget* parent)
    : QAbstractScrollArea(parent)
{
    viewport()->setBackgroundRole(QPalette::Base);
    viewport()->setAutoFillBackground(true);
    setFocusPolicy(Qt::StrongFocus);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    verticalScrollBar()->setSingleStep(1);
}

void ListBox::addItem(const QString& text)
{
    items_.append(text);
    updateScrollRange();
    // Only a line that lands in view needs painting.
    if (count() - 1 < topIndex() + rowsInView() + 1)
        viewport()->update();
}

void ListBox::clear()
{
    items_.clear();
    currentRow_ = -1;
    updateScrollRange();
    viewport()->update();
}

void ListBox::setItemHeight(int pixels)
{
    itemHeight_ = std::max(1, pixels);
    updateScrollRange();
    viewport()->update();
}

void ListBox::setCurrentRow(int row)
{
    currentRow_ = (row >= 0 && row < count()) ? row : -1;
    if (currentRow_ >= 0) {
        if (currentRow_ < topIndex())
            verticalScrollBar()->setValue(currentRow_);
        else if (currentRow_ >= topIndex() + rowsInView())
            verticalScrollBar()->setValue(currentRow_ - rowsInView() + 1);
    }
    viewport()->update();
}

int ListBox::topIndex() const
{
    return verticalScrollBar()->value();
}

int ListBox::rowsInView() const
{
    return std::max(1, viewport()->height() / itemHeight_);
}

void ListBox::updateScrollRange()
{
    const int rows = rowsInView();
    QScrollBar* bar = verticalScrollBar();
    bar->setPageStep(rows);
    bar->setRange(0, std::max(0, count() - rows));
}

void ListBox::paintEvent(QPaintEvent*)
{
    QPainter painter(viewport());
    const int top = topIndex();
    const int last = std::min(count(), top + rowsInView() + 1);
    const int width = viewport()->width();
    for (int row = top; row < last; ++row) {
        const QRect line(0, (row - top) * itemHeight_, width, itemHeight_);
        const bool selected = row == currentRow_;
        if (selected)
            painter.fillRect(line, palette().brush(QPalette::Highlight));
        painter.setPen(palette().color(selected ? QPalette::HighlightedText : QPalette::Text));
        painter.drawText(
            line.adjusted(2, 0, -2, 0), Qt::AlignLeft | Qt::AlignVCenter | Qt::TextSingleLine, items_.at(row));
    }
}

void ListBox::resizeEvent(QResizeEvent* event)
{
    QAbstractScrollArea::resizeEvent(event);
    updateScrollRange();
}

void ListBox::mousePressEvent(QMouseEvent* event)
{
    const int row = topIndex() + static_cast<int>(event->position().y()) / itemHeight_;
    if (row < count())
        setCurrentRow(row);
}

void ListBox::keyPressEvent(QKeyEvent* event)
{
    const int row = currentRow_ < 0 ? topIndex() - 1 : currentRow_;
    switch (event->key()) {
    case Qt::Key_Up: setCurrentRow(std::max(0, row - 1)); break;
    case Qt::Key_Down: setCurrentRow(std::min(count() - 1, row + 1)); break;
    case Qt::Key_PageUp: setCurrentRow(std::max(0, row - rowsInView())); break;
    case Qt::Key_PageDown: setCurrentRow(std::min(count() - 1, row + rowsInView())); break;
    case Qt::Key_Home: setCurrentRow(0); break;
    case Qt::Key_End: setCurrentRow(count() - 1); break;
    default: QAbstractScrollArea::keyPressEvent(event); return;
    }
}

} // namespace platform

// Compiled here rather than in one shared object, so that a program links only the parts it uses.
#include "moc_ListBox.cpp"
