// Small helpers for top-level windows as the programs use them.
#pragma once

#include <QEvent>

class QWidget;

namespace platform {

// Makes the window visible and brings it to the front, without waiting for it. Unless the window
// was already the active one, it is also sent formActivationEvent().
void showForm(QWidget* form);

// Tells a window that showForm has just asked for it to become the active window. Whether and when
// the window system grants that varies: without a window manager, or with a modal dialog opened at
// once, the activation may never come. A window that starts work when it becomes active takes this
// event as its activation as well.
QEvent::Type formActivationEvent();

// Moves the window so that it stands in the centre of the screen it is on.
void centreOnScreen(QWidget* form);

} // namespace platform
