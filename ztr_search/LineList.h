// A list of plain text lines, one selectable, every line the same fixed height. A view over a
// string model, so that hundreds of thousands of lines fill and scroll quickly.
#pragma once

#include <QListView>
#include <QStringList>

class QStringListModel;

class LineList : public QListView {
    Q_OBJECT
public:
    explicit LineList(QWidget* parent = nullptr);

    void setItemHeight(int pixels);
    int itemHeight() const { return itemHeight_; }

    // Replaces every line at once.
    void setLines(const QStringList& lines);
    QStringList lines() const;
    qsizetype count() const;
    QString line(qsizetype index) const;

    // The selected line's index, or -1. In a one-line selection the current line is the selected one.
    int itemIndex() const;
    void setItemIndex(int index);

signals:
    // The user selected a line, by mouse or keys, or clicked the selected one again.
    void lineClicked();

protected:
    void mousePressEvent(QMouseEvent* event) override;

private:
    QStringListModel* model_;
    bool reportedDuringPress_ = false;
    int itemHeight_ = 15;
};
