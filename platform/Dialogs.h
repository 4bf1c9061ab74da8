// Message boxes and the common dialogs, behind one seam. Production code asks `dialogs()`; the
// desktop implementation shows Qt's dialogs, and tests install a scripted one that answers from a
// queue and records what would have been shown.
#pragma once

#include <QColor>
#include <QFont>
#include <QString>
#include <optional>

namespace platform {

class Printer;

enum class MessageIcon { None, Information, Warning, Error, Question };

struct FileDialogOptions {
    QString title;            // empty: the platform's own title
    QString filter;           // "Description|pattern|Description|pattern..."
    QString defaultExtension; // without the dot; added when the user typed none
    QString fileName;         // what the name field starts with
};

// A font as the programs see it: face, size and style, and the colour the text is drawn in.
struct FontChoice {
    QFont font;
    QColor color = Qt::black;
    bool operator==(const FontChoice&) const = default;
};

class DialogService {
public:
    virtual ~DialogService() = default;

    // A modal box with one "OK" button.
    virtual void showMessage(const QString& caption, const QString& text, MessageIcon icon) = 0;
    // A modal box with "&Yes" and "&No"; true for Yes.
    virtual bool askYesNo(const QString& caption, const QString& text, MessageIcon icon) = 0;

    // Each returns the chosen file, or nothing when the user cancelled.
    virtual std::optional<QString> openFile(const FileDialogOptions& options) = 0;
    virtual std::optional<QString> saveFile(const FileDialogOptions& options) = 0;
    virtual std::optional<QString> openPicture(const FileDialogOptions& options) = 0;
    virtual std::optional<QString> savePicture(const FileDialogOptions& options) = 0;

    virtual std::optional<QColor> chooseColor(const QColor& initial) = 0;
    virtual std::optional<FontChoice> chooseFont(const FontChoice& initial) = 0;
    // Lets the user pick and set up the printer that `printer` prints on; true when confirmed.
    virtual bool choosePrinter(Printer& printer) = 0;
};

// The service in use; the desktop one unless a test installed another.
DialogService& dialogs();
// Installs `service` (not owned) until it is replaced; nullptr restores the desktop service.
void setDialogService(DialogService* service);

// The plain message box of the programs: application title as caption, one "OK".
void showMessage(const QString& text);

// Turns a filter of the form "Bitmaps (*.bmp)|*.bmp" into Qt's "Bitmaps (*.bmp)" list.
QString toQtFilter(const QString& filter);

} // namespace platform
