// The common dialogs as components a window owns: each keeps its settings and its last answer
// between uses, as the original dialog components did, and asks the dialog service to show it.
#pragma once

#include "platform/Dialogs.h"

#include <QColor>
#include <QString>

namespace platform {

// Keeps the colour the user chose, or its earlier colour when the dialog was cancelled.
class ColorDialog {
public:
    explicit ColorDialog(const QColor& initial = Qt::black)
        : color_(initial)
    {
    }
    bool execute();
    QColor color() const { return color_; }
    void setColor(const QColor& color) { color_ = color; }

private:
    QColor color_;
};

class FontDialog {
public:
    explicit FontDialog(const FontChoice& initial)
        : font_(initial)
    {
    }
    bool execute();
    const FontChoice& font() const { return font_; }

private:
    FontChoice font_;
};

// Open and save picture dialogs: after a confirmed execute(), fileName() is the chosen file.
class PictureFileDialog {
public:
    enum class Mode { Open, Save };
    PictureFileDialog(Mode mode, FileDialogOptions options)
        : mode_(mode)
        , options_(std::move(options))
    {
    }
    bool execute();
    QString fileName() const { return options_.fileName; }
    const FileDialogOptions& options() const { return options_; }

private:
    Mode mode_;
    FileDialogOptions options_;
};

// Picks and sets up the application-wide printer.
class PrintDialog {
public:
    bool execute();
};

} // namespace platform
