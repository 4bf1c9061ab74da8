// The application-wide cursor. Values follow the original platform's numbering: 0 gives every
// control its own cursor back, -1 to -21 are the shared shapes (none, arrow, cross, I-beam, the
// size arrows, hourglass, drag shapes, splits, "no", app start, help, hand point).
#pragma once

#include <Qt>

namespace platform {

constexpr int cursorDefault = 0;
constexpr int cursorHourGlass = -11;

// The Qt shape standing in for a cursor value; values outside 0 to -21 give the arrow.
Qt::CursorShape cursorShape(int value);

// While the screen cursor is not 0 it overrides the cursor of every control of the program.
void setScreenCursor(int value);
int screenCursor();

// The hourglass for the lifetime of the object; the cursor before it comes back afterwards,
// also when the work in between throws.
class BusyCursor {
public:
    BusyCursor();
    ~BusyCursor();
    BusyCursor(const BusyCursor&) = delete;
    BusyCursor& operator=(const BusyCursor&) = delete;

private:
    int previous_;
};

} // namespace platform
