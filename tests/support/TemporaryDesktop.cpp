#include "support/TemporaryDesktop.h"

#include <QDeadlineTimer>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QTest>

namespace testing {

namespace {

const QByteArray variables[]
    = { "XDG_CONFIG_HOME", "XDG_CONFIG_DIRS", "XDG_DATA_HOME", "XDG_DATA_DIRS", "XDG_CURRENT_DESKTOP" };

} // namespace

TemporaryDesktop::TemporaryDesktop()
{
    for (const QByteArray& name : variables)
        saved_.insert(name, qEnvironmentVariableIsSet(name) ? std::optional(qgetenv(name)) : std::nullopt);
    for (const char* folder :
        { "config", "config-dirs", "home", "shared/applications", "shared/mime/packages", "system" })
        QDir(dir_.path()).mkpath(QString::fromLatin1(folder));
    // The system's types without the system's applications.
    QFile::link(QStringLiteral("/usr/share/mime"), dir_.filePath(QStringLiteral("system/mime")));
    qputenv("XDG_CONFIG_HOME", dir_.filePath(QStringLiteral("config")).toLocal8Bit());
    qputenv("XDG_CONFIG_DIRS", dir_.filePath(QStringLiteral("config-dirs")).toLocal8Bit());
    qputenv("XDG_DATA_HOME", dir_.filePath(QStringLiteral("home")).toLocal8Bit());
    qputenv("XDG_DATA_DIRS",
        (dir_.filePath(QStringLiteral("shared")) + u':' + dir_.filePath(QStringLiteral("system"))).toLocal8Bit());
    qunsetenv("XDG_CURRENT_DESKTOP");
}

TemporaryDesktop::~TemporaryDesktop()
{
    for (auto it = saved_.cbegin(); it != saved_.cend(); ++it) {
        if (it.value())
            qputenv(it.key(), *it.value());
        else
            qunsetenv(it.key());
    }
}

void TemporaryDesktop::writeFile(const QString& relative, const QByteArray& content)
{
    QFile file(dir_.filePath(relative));
    QVERIFY(QDir().mkpath(QFileInfo(file).path()));
    QVERIFY(file.open(QIODevice::WriteOnly));
    QCOMPARE(file.write(content), content.size());
}

void TemporaryDesktop::addMimeType(const QString& type, const QString& glob)
{
    const QString name = QString(type).replace(u'/', u'-');
    writeFile(QStringLiteral("shared/mime/packages/%1.xml").arg(name),
        QStringLiteral("<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
                       "<mime-info xmlns=\"http://www.freedesktop.org/standards/shared-mime-info\">\n"
                       "  <mime-type type=\"%1\">\n"
                       "    <comment>%1</comment>\n"
                       "    <glob pattern=\"%2\"/>\n"
                       "  </mime-type>\n"
                       "</mime-info>\n")
            .arg(type, glob)
            .toUtf8());
    // The binary cache the desktop's own tools read, built as a package installation builds it.
    QProcess update;
    update.start(QStringLiteral("update-mime-database"), { dir_.filePath(QStringLiteral("shared/mime")) });
    QVERIFY2(update.waitForFinished(60000) && update.exitCode() == 0, "update-mime-database failed");
}

void TemporaryDesktop::addApplication(const QString& id, const QString& desktopEntryText)
{
    writeFile(QStringLiteral("shared/applications/") + id, desktopEntryText.toUtf8());
}

QString TemporaryDesktop::recordingProgram(const QString& name)
{
    const QString record = dir_.filePath(QStringLiteral("records/") + name);
    QDir().mkpath(QFileInfo(record).path());
    const QString program = dir_.filePath(QStringLiteral("programs/") + name);
    writeFile(QStringLiteral("programs/") + name,
        QStringLiteral(
            "#!/bin/sh\n"
            "{ pwd -P; for a in \"$@\"; do printf '%s\\n' \"$a\"; done; } > '%1.part' && mv '%1.part' '%1'\n")
            .arg(record)
            .toUtf8());
    QFile::setPermissions(program, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    return program;
}

std::optional<QStringList> TemporaryDesktop::waitForRecord(const QString& name, int timeoutMs) const
{
    QFile record(dir_.filePath(QStringLiteral("records/") + name));
    const QDeadlineTimer deadline(timeoutMs);
    while (!record.exists()) {
        if (deadline.hasExpired())
            return std::nullopt;
        QTest::qWait(20);
    }
    if (!record.open(QIODevice::ReadOnly))
        return std::nullopt;
    QStringList lines = QString::fromUtf8(record.readAll()).split(u'\n');
    if (!lines.isEmpty() && lines.last().isEmpty())
        lines.removeLast();
    return lines;
}

} // namespace testing
