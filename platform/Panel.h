// The panel control: a plain area in the window's colour with up to two bevels, an outer and an
// inner one, each raised, lowered or absent. It draws only its frame; children draw themselves.
#pragma once

#include <QWidget>

namespace platform {

class Panel : public QWidget {
    Q_OBJECT
public:
    enum class Bevel { None, Lowered, Raised };

    // The original control starts with a raised outer bevel and no inner one.
    explicit Panel(QWidget* parent = nullptr);

    void setBevelOuter(Bevel bevel);
    void setBevelInner(Bevel bevel);
    Bevel bevelOuter() const { return outer_; }
    Bevel bevelInner() const { return inner_; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    Bevel outer_ = Bevel::Raised;
    Bevel inner_ = Bevel::None;
};

} // namespace platform
