// The label control: text that sizes itself to its text unless told otherwise, and reports a
// click. It shows its text as plain text, markup and all, unless a caller sets another text
// format. Placement is the owner's business.
#pragma once

#include <QLabel>

namespace platform {

class Label : public QLabel {
    Q_OBJECT
public:
    explicit Label(const QString& text = QString(), QWidget* parent = nullptr);

    // Sets the text; a label sized to its text follows it.
    void setCaption(const QString& text);

    // On (the default): the label takes the size of its text. Off: it keeps the size it is given.
    void setAutoSize(bool autoSize);
    bool autoSize() const { return autoSize_; }

    void setTextColor(const QColor& color);
    // Opaque background in `color`.
    void setBackground(const QColor& color);

signals:
    void Click();

protected:
    void changeEvent(QEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    bool autoSize_ = true;
};

} // namespace platform
