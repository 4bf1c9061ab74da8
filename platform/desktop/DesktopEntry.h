// A desktop entry file (".desktop") as far as opening a file with an application needs it, and
// its Exec line turned into a command. Only the [Desktop Entry] group is read: no actions, no
// translations, no D-Bus activation.
#pragma once

#include <QString>
#include <QStringList>
#include <optional>

namespace platform {

struct DesktopEntry {
    QString id; // "org.example.Viewer.desktop": the path under applications/, "/" as "-"
    QString fileName; // where it was read from
    QString type;
    QString name;
    QString icon;
    QString exec; // string escapes undone, quoting kept
    QString tryExec;
    QStringList mimeTypes;
    bool hidden = false;

    // An application that can be started: Type=Application, not hidden, an Exec, and a TryExec
    // program that is there when one is named.
    bool isStartable() const;
};

// The [Desktop Entry] group of a desktop entry file's text; nothing when it has none.
std::optional<DesktopEntry> parseDesktopEntry(const QString& text);
std::optional<DesktopEntry> readDesktopEntry(const QString& fileName, const QString& id);

// The arguments of an Exec value with their quoting undone; nothing when a quote is left open.
std::optional<QStringList> splitExec(const QString& exec);

// The command that opens `file` with the entry's application: the Exec arguments with their field
// codes expanded, the file added at the end when no field code takes it, then `parameters`.
// Nothing when the Exec is malformed or names no program.
std::optional<QStringList> commandForFile(
    const DesktopEntry& entry, const QString& file, const QStringList& parameters = {});

// The program an argument names, looked up in PATH when it has no folder; empty when it is not an
// executable file.
QString findProgram(const QString& program);

} // namespace platform
