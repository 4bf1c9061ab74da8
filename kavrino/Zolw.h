// TZolw, the turtle canvas: a picture control that also carries one turtle (position, heading,
// step length, pen) and knows how to step forward and turn. It does not draw the turtle itself;
// the main window places the turtle pictures.
#pragma once

#include "kavrino/TurtleMath.h"
#include "platform/PictureControl.h"

#include <cstdint>

class TZolw : public platform::PictureControl {
    Q_OBJECT
    Q_PROPERTY(int Kat READ Kat WRITE setKat)
    Q_PROPERTY(int Krok READ Krok WRITE setKrok)
    Q_PROPERTY(int X READ X WRITE setX)
    Q_PROPERTY(int Y READ Y WRITE setY)
    Q_PROPERTY(bool Pisak READ Pisak WRITE setPisak)

public:
    explicit TZolw(QWidget* parent = nullptr);

    // Heading in degrees: 0 down, 90 right, 180 up, 270 left; never normalised.
    std::int32_t Kat() const { return kat_; }
    void setKat(std::int32_t kat) { kat_ = kat; }
    std::int32_t Krok() const { return krok_; }
    void setKrok(std::int32_t krok) { krok_ = krok; }
    std::int32_t X() const { return x_; }
    void setX(std::int32_t x) { x_ = x; }
    std::int32_t Y() const { return y_; }
    void setY(std::int32_t y) { y_ = y; }
    // Pen down: steps draw.
    bool Pisak() const { return pisak_; }
    void setPisak(bool down) { pisak_ = down; }

    void StepForward();
    void TurnLeft(std::int32_t degrees);
    void TurnRight(std::int32_t degrees);

private:
    std::int32_t kat_ = 180;
    std::int32_t krok_ = 10;
    std::int32_t x_ = 0;
    std::int32_t y_ = 0;
    bool pisak_ = true;
    kavrino::StepCache steps_;
};
