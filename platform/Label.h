// The label control: a line of text that sizes itself to its text and reports a click.
#pragma once

#include <QLabel>

namespace platform {

class Label : public QLabel {
    Q_OBJECT
public:
    explicit Label(const QString& text, QWidget* parent = nullptr);

    // Sets the text and fits the label to it, as the original's AutoSize does.
    void setCaption(const QString& text);
    void setTextColor(const QColor& color);
    // Opaque background in `color`.
    void setBackground(const QColor& color);

signals:
    void Click();

protected:
    void mouseReleaseEvent(QMouseEvent* event) override;
};

} // namespace platform
