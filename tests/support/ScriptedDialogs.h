// A dialog service for tests: every dialog answers from a queue the test filled, and everything
// that would have been shown is recorded. An unscripted dialog counts as cancelled. On request each
// dialog also opens a real, empty modal window for as long as the window system takes to make it
// the active window, as a desktop dialog takes the activation from the windows behind it.
#pragma once

#include "platform/Dialogs.h"

#include <QList>
#include <deque>
#include <optional>

namespace testing {

struct ShownDialog {
    enum class Kind { Message, YesNo, OpenFile, SaveFile, OpenPicture, SavePicture, Color, Font, Printer };
    Kind kind;
    QString caption;
    QString text;
    platform::MessageIcon icon = platform::MessageIcon::None;
    platform::FileDialogOptions fileOptions;
};

class ScriptedDialogs : public platform::DialogService {
public:
    // Installs itself for its lifetime.
    ScriptedDialogs();
    ~ScriptedDialogs() override;

    void answerYesNo(bool yes) { yesNo_.push_back(yes); }
    void answerFile(std::optional<QString> fileName) { files_.push_back(std::move(fileName)); }
    void answerColor(std::optional<QColor> color) { colors_.push_back(color); }
    void answerFont(std::optional<platform::FontChoice> font) { fonts_.push_back(std::move(font)); }
    void answerPrinter(bool confirmed) { printers_.push_back(confirmed); }
    void showModalWindows(bool on) { modalWindows_ = on; }

    const QList<ShownDialog>& shown() const { return shown_; }
    // The texts of the message boxes shown so far (plain and error boxes alike).
    QStringList messages() const;
    QStringList errors() const;
    int count(ShownDialog::Kind kind) const;
    void clear() { shown_.clear(); }

    void showMessage(const QString& caption, const QString& text, platform::MessageIcon icon) override;
    bool askYesNo(const QString& caption, const QString& text, platform::MessageIcon icon) override;
    std::optional<QString> openFile(const platform::FileDialogOptions& options) override;
    std::optional<QString> saveFile(const platform::FileDialogOptions& options) override;
    std::optional<QString> openPicture(const platform::FileDialogOptions& options) override;
    std::optional<QString> savePicture(const platform::FileDialogOptions& options) override;
    std::optional<QColor> chooseColor(const QColor& initial) override;
    std::optional<platform::FontChoice> chooseFont(const platform::FontChoice& initial) override;
    bool choosePrinter(platform::Printer& printer) override;

private:
    void record(ShownDialog dialog);
    std::optional<QString> fileDialog(ShownDialog::Kind kind, const platform::FileDialogOptions& options);

    QList<ShownDialog> shown_;
    std::deque<bool> yesNo_;
    std::deque<std::optional<QString>> files_;
    std::deque<std::optional<QColor>> colors_;
    std::deque<std::optional<platform::FontChoice>> fonts_;
    std::deque<bool> printers_;
    bool modalWindows_ = false;
};

} // namespace testing
