// The list box control: lines of text of one height, a scroll bar and one selected line. Adding
// a line costs the same however many lines there are, and it never scrolls the list; only the
// lines in view are ever measured or painted.
#pragma once

#include <QAbstractScrollArea>
#include <QStringList>

namespace platform {

class ListBox : public QAbstractScrollArea {
    Q_OBJECT
public:
    explicit ListBox(QWidget* parent = nullptr);

    void addItem(const QString& text);
    void clear();
    int count() const { return static_cast<int>(items_.size()); }
    QString item(int row) const { return items_.value(row); }
    const QStringList& items() const { return items_; }

    int itemHeight() const { return itemHeight_; }
    void setItemHeight(int pixels);

    // The selected line, -1 for none.
    int currentRow() const { return currentRow_; }
    void setCurrentRow(int row);
    // The first line in view.
    int topIndex() const;

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    int rowsInView() const;
    void updateScrollRange();

    QStringList items_;
    int itemHeight_ = 13;
    int currentRow_ = -1;
};

} // namespace platform
