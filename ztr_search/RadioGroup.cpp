#include "ztr_search/RadioGroup.h"

#include <QButtonGroup>
#include <QRadioButton>

RadioGroup::RadioGroup(const QString& caption, const QStringList& items, int columns, QWidget* parent)
    : QGroupBox(caption, parent)
    , group_(new QButtonGroup(this))
    , columns_(columns)
{
    for (qsizetype i = 0; i < items.size(); ++i) {
        auto* button = new QRadioButton(items.at(i), this);
        group_->addButton(button, static_cast<int>(i));
        buttons_ << button;
    }
    connect(group_, &QButtonGroup::idToggled, this, [this](int, bool checked) {
        if (checked)
            emit Click();
    });
    placeButtons();
}

int RadioGroup::itemIndex() const
{
    return group_->checkedId();
}

void RadioGroup::setItemIndex(int index)
{
    if (QAbstractButton* button = group_->button(index))
        button->setChecked(true);
}

void RadioGroup::resizeEvent(QResizeEvent* event)
{
    QGroupBox::resizeEvent(event);
    placeButtons();
}

void RadioGroup::placeButtons()
{
    // The items share the space under the caption in equal columns, as the original control does.
    const int top = 16;
    const int rows = static_cast<int>((buttons_.size() + columns_ - 1) / columns_);
    const int columnWidth = (width() - 16) / columns_;
    const int rowHeight = rows > 0 ? std::max(17, (height() - top - 4) / rows) : 17;
    for (qsizetype i = 0; i < buttons_.size(); ++i) {
        const int column = static_cast<int>(i) / std::max(rows, 1);
        const int row = static_cast<int>(i) % std::max(rows, 1);
        buttons_.at(i)->setGeometry(8 + column * columnWidth, top + row * rowHeight, columnWidth - 4, 17);
    }
}
