#include "support/ScriptedDialogs.h"

#include <QApplication>
#include <QDialog>
#include <QElapsedTimer>
#include <QTimer>

namespace testing {

namespace {

template <typename T, typename Fallback> T takeFront(std::deque<T>& queue, Fallback fallback)
{
    if (queue.empty())
        return fallback;
    T value = std::move(queue.front());
    queue.pop_front();
    return value;
}

} // namespace

ScriptedDialogs::ScriptedDialogs()
{
    platform::setDialogService(this);
}

ScriptedDialogs::~ScriptedDialogs()
{
    platform::setDialogService(nullptr);
}

QStringList ScriptedDialogs::messages() const
{
    QStringList texts;
    for (const ShownDialog& dialog : shown_)
        if (dialog.kind == ShownDialog::Kind::Message)
            texts << dialog.text;
    return texts;
}

QStringList ScriptedDialogs::errors() const
{
    QStringList texts;
    for (const ShownDialog& dialog : shown_)
        if (dialog.kind == ShownDialog::Kind::Message && dialog.icon == platform::MessageIcon::Error)
            texts << dialog.text;
    return texts;
}

void ScriptedDialogs::record(ShownDialog dialog)
{
    shown_.append(std::move(dialog));
    if (!modalWindows_)
        return;
    QDialog window(QApplication::activeWindow());
    window.setWindowTitle(shown_.constLast().caption);
    window.resize(240, 120);
    QElapsedTimer open;
    open.start();
    QTimer poll;
    QObject::connect(&poll, &QTimer::timeout, &window, [&] {
        if (window.isActiveWindow() || open.elapsed() > 2000)
            window.accept();
    });
    poll.start(10);
    window.exec();
}

int ScriptedDialogs::count(ShownDialog::Kind kind) const
{
    return static_cast<int>(
        std::count_if(shown_.begin(), shown_.end(), [kind](const ShownDialog& dialog) { return dialog.kind == kind; }));
}

void ScriptedDialogs::showMessage(const QString& caption, const QString& text, platform::MessageIcon icon)
{
    record({ ShownDialog::Kind::Message, caption, text, icon, {} });
}

bool ScriptedDialogs::askYesNo(const QString& caption, const QString& text, platform::MessageIcon icon)
{
    record({ ShownDialog::Kind::YesNo, caption, text, icon, {} });
    return takeFront(yesNo_, false);
}

std::optional<QString> ScriptedDialogs::fileDialog(ShownDialog::Kind kind, const platform::FileDialogOptions& options)
{
    record({ kind, options.title, {}, platform::MessageIcon::None, options });
    return takeFront(files_, std::optional<QString>());
}

std::optional<QString> ScriptedDialogs::openFile(const platform::FileDialogOptions& options)
{
    return fileDialog(ShownDialog::Kind::OpenFile, options);
}

std::optional<QString> ScriptedDialogs::saveFile(const platform::FileDialogOptions& options)
{
    return fileDialog(ShownDialog::Kind::SaveFile, options);
}

std::optional<QString> ScriptedDialogs::openPicture(const platform::FileDialogOptions& options)
{
    return fileDialog(ShownDialog::Kind::OpenPicture, options);
}

std::optional<QString> ScriptedDialogs::savePicture(const platform::FileDialogOptions& options)
{
    return fileDialog(ShownDialog::Kind::SavePicture, options);
}

std::optional<QColor> ScriptedDialogs::chooseColor(const QColor&)
{
    record({ ShownDialog::Kind::Color, {}, {}, platform::MessageIcon::None, {} });
    return takeFront(colors_, std::optional<QColor>());
}

std::optional<platform::FontChoice> ScriptedDialogs::chooseFont(const platform::FontChoice&)
{
    record({ ShownDialog::Kind::Font, {}, {}, platform::MessageIcon::None, {} });
    return takeFront(fonts_, std::optional<platform::FontChoice>());
}

bool ScriptedDialogs::choosePrinter(platform::Printer&)
{
    record({ ShownDialog::Kind::Printer, {}, {}, platform::MessageIcon::None, {} });
    return takeFront(printers_, false);
}

} // namespace testing
