// A desktop of a test's own: temporary XDG folders that hold the test's MIME types and
// applications, so that neither the user's nor the system's handlers answer. The system's MIME
// database is still read, so files get the types a real desktop gives them. Create it before the
// process first asks QMimeDatabase anything, which reads the folders when first used.
#pragma once

#include <QByteArray>
#include <QHash>
#include <QStringList>
#include <QTemporaryDir>
#include <optional>

namespace testing {

class TemporaryDesktop {
public:
    TemporaryDesktop();
    ~TemporaryDesktop();
    TemporaryDesktop(const TemporaryDesktop&) = delete;
    TemporaryDesktop& operator=(const TemporaryDesktop&) = delete;

    QString path(const QString& relative) const { return dir_.filePath(relative); }

    // Declares `type` for file names that match `glob`, in the shared MIME database.
    void addMimeType(const QString& type, const QString& glob);
    // Installs applications/<id> in the shared data folder.
    void addApplication(const QString& id, const QString& desktopEntryText);
    // A program that writes its working folder and then each argument, one a line, to a record
    // named `name`, as one whole file.
    QString recordingProgram(const QString& name);
    // The lines of record `name` once the program has written it; nothing after `timeoutMs`.
    std::optional<QStringList> waitForRecord(const QString& name, int timeoutMs = 10000) const;

private:
    void writeFile(const QString& relative, const QByteArray& content);

    QTemporaryDir dir_;
    QHash<QByteArray, std::optional<QByteArray>> saved_;
};

} // namespace testing
