#include "platform/Cursor.h"

#include <QCursor>
#include <QGuiApplication>
#include <array>

namespace platform {

namespace {

int current = cursorDefault;

} // namespace

Qt::CursorShape cursorShape(int value)
{
    // Indexed by -value. Shapes this platform lacks take the nearest one it has.
    static constexpr std::array<Qt::CursorShape, 22> shapes{
        Qt::ArrowCursor,        //   0 default
        Qt::BlankCursor,        //  -1 none
        Qt::ArrowCursor,        //  -2 arrow
        Qt::CrossCursor,        //  -3 cross
        Qt::IBeamCursor,        //  -4 I-beam
        Qt::ArrowCursor,        //  -5 size: the arrow on this platform
        Qt::SizeBDiagCursor,    //  -6 north-east to south-west
        Qt::SizeVerCursor,      //  -7 north to south
        Qt::SizeFDiagCursor,    //  -8 north-west to south-east
        Qt::SizeHorCursor,      //  -9 west to east
        Qt::UpArrowCursor,      // -10 up arrow
        Qt::WaitCursor,         // -11 hourglass
        Qt::DragMoveCursor,     // -12 drag
        Qt::ForbiddenCursor,    // -13 no drop
        Qt::SplitHCursor,       // -14 horizontal split
        Qt::SplitVCursor,       // -15 vertical split
        Qt::DragCopyCursor,     // -16 drag of several items
        Qt::WaitCursor,         // -17 database wait
        Qt::ForbiddenCursor,    // -18 not allowed
        Qt::BusyCursor,         // -19 app start: arrow with hourglass
        Qt::WhatsThisCursor,    // -20 help
        Qt::PointingHandCursor, // -21 hand point
    };
    if (value > 0 || value < -21)
        return Qt::ArrowCursor;
    return shapes[static_cast<std::size_t>(-value)];
}

void setScreenCursor(int value)
{
    if (value == current)
        return;
    if (value == cursorDefault)
        QGuiApplication::restoreOverrideCursor();
    else if (current == cursorDefault)
        QGuiApplication::setOverrideCursor(QCursor(cursorShape(value)));
    else
        QGuiApplication::changeOverrideCursor(QCursor(cursorShape(value)));
    current = value;
}

int screenCursor()
{
    return current;
}

BusyCursor::BusyCursor() : previous_(screenCursor())
{
    setScreenCursor(cursorHourGlass);
}

BusyCursor::~BusyCursor()
{
    setScreenCursor(previous_);
}

} // namespace platform
