// The picture control: a widget that owns a picture and shows it unscaled at its top-left corner
// (or stretched to its box when asked), gives a canvas on it, and reports the mouse.
#pragma once

#include "platform/Picture.h"

#include <QWidget>

namespace platform {

class PictureControl : public QWidget {
    Q_OBJECT
public:
    // The original control starts at 105 by 105 pixels.
    explicit PictureControl(QWidget* parent = nullptr);

    Picture& picture() { return picture_; }
    const Picture& picture() const { return picture_; }

    void loadFromFile(const QString& fileName);
    void saveToFile(const QString& fileName) const { picture_.saveToFile(fileName); }
    void clearPicture();
    void setBitmap(QImage bitmap);

    // The bitmap to draw on. An empty picture first becomes a white bitmap of the control's size;
    // an icon throws InvalidGraphicOperation. Call `update()` after drawing.
    QImage& canvas();

    // Size the control to its picture, as the original's AutoSize does.
    void setAutoSize(bool autoSize);
    void setStretch(bool stretch);

    QSize sizeHint() const override;

signals:
    void Click();
    void DblClick();
    void MouseDown(Qt::MouseButton button, Qt::KeyboardModifiers modifiers, int x, int y);
    void MouseMove(Qt::KeyboardModifiers modifiers, int x, int y);
    void MouseUp(Qt::MouseButton button, Qt::KeyboardModifiers modifiers, int x, int y);

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;

private:
    void pictureChanged();

    Picture picture_;
    bool autoSize_ = false;
    bool stretch_ = false;
};

} // namespace platform
