// The help engine: shows the contents page of a help file in a small window of its own. A help
// file is HTML text in UTF-8; a bare file name is looked up in the program's data folder.
#pragma once

#include <QString>

class QWidget;
class QTextBrowser;

namespace platform {

// Where the help file `fileName` is: itself when it names a folder, else in the program's data
// folder (platform/ProgramFiles.h).
QString helpFilePath(const QString& fileName);

// Shows the file's contents in the help window of `owner`, which is created on first use and
// closes with it; throws HelpFileError when the file cannot be read.
void showHelpContents(QWidget* owner, const QString& fileName);

// The help window of `owner`, or nullptr before any help was shown.
QTextBrowser* helpWindow(QWidget* owner);

} // namespace platform
