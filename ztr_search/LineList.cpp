#include "ztr_search/LineList.h"

#include <QItemSelectionModel>
#include <QStringListModel>
#include <QStyledItemDelegate>

namespace {

class FixedHeightDelegate : public QStyledItemDelegate {
public:
    FixedHeightDelegate(const int& height, QObject* parent)
        : QStyledItemDelegate(parent)
        , height_(height)
    {
    }
    QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override
    {
        return { QStyledItemDelegate::sizeHint(option, index).width(), height_ };
    }

private:
    const int& height_;
};

} // namespace

LineList::LineList(QWidget* parent)
    : QListView(parent)
    , model_(new QStringListModel(this))
{
    setModel(model_);
    setItemDelegate(new FixedHeightDelegate(itemHeight_, this));
    // Uniform sizes let the view lay out a long list without measuring every line.
    setUniformItemSizes(true);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setTextElideMode(Qt::ElideNone);
    setWordWrap(false);
    connect(selectionModel(), &QItemSelectionModel::currentChanged, this, [this](const QModelIndex& current) {
        if (!current.isValid())
            return;
        reportedDuringPress_ = true;
        emit lineClicked();
    });
    connect(this, &QAbstractItemView::clicked, this, [this](const QModelIndex& index) {
        // A click on the line that is already current changes nothing the selection model reports.
        if (index.isValid() && !reportedDuringPress_)
            emit lineClicked();
    });
}

void LineList::mousePressEvent(QMouseEvent* event)
{
    reportedDuringPress_ = false;
    QListView::mousePressEvent(event);
}

void LineList::setItemHeight(int pixels)
{
    itemHeight_ = pixels;
    doItemsLayout();
}

void LineList::setLines(const QStringList& lines)
{
    model_->setStringList(lines);
}

QStringList LineList::lines() const
{
    return model_->stringList();
}

qsizetype LineList::count() const
{
    return model_->rowCount();
}

QString LineList::line(qsizetype index) const
{
    return model_->index(static_cast<int>(index)).data().toString();
}

int LineList::itemIndex() const
{
    const QModelIndex current = currentIndex();
    return current.isValid() ? current.row() : -1;
}

void LineList::setItemIndex(int index)
{
    if (index < 0 || index >= model_->rowCount()) {
        clearSelection();
        return;
    }
    setCurrentIndex(model_->index(index));
}
