// The caption of a top-level window, the empty caption included. Qt's X11 platform puts the
// application's name where a window's title is empty; this writes the empty title to the X server
// itself. It is not the application title, which message boxes and the task bar show.
#pragma once

#include <QString>

class QWidget;

namespace platform {

// Sets the caption of `window`. An empty caption is shown empty, also on X11 once the window has
// been created (an empty caption set before that shows the application name until the next one).
void setCaption(QWidget* window, const QString& caption);

} // namespace platform
