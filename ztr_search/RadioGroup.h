// A captioned group of radio buttons laid out in columns, one item chosen, with the chosen item's
// index as its value.
#pragma once

#include <QGroupBox>
#include <QList>
#include <QStringList>

class QButtonGroup;
class QRadioButton;

class RadioGroup : public QGroupBox {
    Q_OBJECT
    Q_PROPERTY(int itemIndex READ itemIndex WRITE setItemIndex)
public:
    RadioGroup(const QString& caption, const QStringList& items, int columns, QWidget* parent = nullptr);

    int itemIndex() const;
    void setItemIndex(int index);
    QRadioButton* button(int index) const { return buttons_.value(index); }

signals:
    // Another item was chosen, by the user or by setItemIndex.
    void Click();

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    void placeButtons();

    QButtonGroup* group_;
    QList<QRadioButton*> buttons_;
    int columns_;
};
