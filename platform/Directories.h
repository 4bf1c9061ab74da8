// Folders by path, as the run-time library offered them: an existence test, and a create and a
// remove whose failure the caller may ignore. One level at a time; nothing is created on the way.
#pragma once

#include <QString>

namespace platform {

// True when the path's attributes can be read and name a directory.
bool directoryExists(const QString& path);
// Creates the last folder of the path only; false when it could not be created.
bool createDirectory(const QString& path);
// Removes an empty folder; false when it is missing, not empty or cannot be removed.
bool removeDirectory(const QString& path);

} // namespace platform
