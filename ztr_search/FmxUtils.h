// Starting a file through the desktop, as the catalogue starts an installer. A thin layer over
// the platform's shell-start service; it knows nothing of discs or the catalogue.
#pragma once

#include <QString>

// The show-window code for a window shown as it is.
constexpr int SW_SHOW = 5;

// Starts `file` with the desktop's application for its type, `parameters` after it, in the
// working folder `directory`. Every string is passed whole. Returns whether it was started.
bool ShellStartFile(const QString& file, const QString& parameters, const QString& directory, int showCommand);
