// Prints plain text as one job: even margins round the page, lines wrapped at the printable
// width and carried to a new page when one is full. It knows nothing of the window the text
// comes from, nor of the print dialog.
#pragma once

#include <QColor>
#include <QFont>
#include <QString>

namespace platform {
class Printer;
}

namespace kavrino {

// The margin kept free on each side of the page.
constexpr double printMarginMillimetres = 15.0;

// Prints `text` ("\n" between lines) in `font` and `color` as the job `title` and returns the
// number of pages. A font sized in pixels is taken as pixels of a 96 dots-per-inch screen, so
// the print has the size the text has on screen. The job is aborted when printing fails.
int printPlainText(
    platform::Printer& printer, const QString& title, const QString& text, const QFont& font, const QColor& color);

} // namespace kavrino
