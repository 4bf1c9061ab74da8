// The label control: text that sizes itself to its text unless told otherwise, and reports a
// click. Layout and fonts are the owner's business.
#pragma once

#include <QLabel>

namespace platform {

class Label : public QLabel {
    Q_OBJECT
public:
    explicit Label(const QString& text = QString(), QWidget* parent = nullptr);

    // Hides QLabel::setText so that a label sized to its text follows every new text.
    void setText(const QString& text);

    // On (the default): the label takes the size of its text. Off: it keeps the size it is given.
    void setAutoSize(bool autoSize);
    bool autoSize() const { return autoSize_; }

signals:
    void Click();

protected:
    void changeEvent(QEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    bool autoSize_ = true;
};

} // namespace platform
