#include "platform/database/DatabaseAliases.h"

#include "platform/Errors.h"
#include "platform/FileReading.h"
#include "platform/FileWriting.h"
#include "platform/TextFile.h"

#include <QDir>
#include <QFileInfo>
#include <QLockFile>
#include <QStandardPaths>
#include <map>

namespace platform {

namespace {

const char* const aliasFileVariable = "PLATFORM_DB_ALIASES";

// How long a program waits for another that is writing the alias file.
constexpr int lockWaitMilliseconds = 10'000;

// One line of the file as it is stored: its bytes, and the line break that ends it ("\n", "\r\n",
// "\r", or nothing on a last line without one). Lines the engine does not change are written
// back from these bytes, whatever their encoding.
struct Line {
    QByteArray text;
    QByteArray lineBreak;
};

std::vector<Line> splitLines(const QByteArray& bytes)
{
    std::vector<Line> lines;
    qsizetype start = 0;
    for (qsizetype i = 0; i < bytes.size(); ++i) {
        if (bytes[i] != '\n' && bytes[i] != '\r')
            continue;
        const qsizetype breakLength = bytes[i] == '\r' && i + 1 < bytes.size() && bytes[i + 1] == '\n' ? 2 : 1;
        lines.push_back({ bytes.sliced(start, i - start), bytes.sliced(i, breakLength) });
        i += breakLength - 1;
        start = i + 1;
    }
    if (start < bytes.size())
        lines.push_back({ bytes.sliced(start), QByteArray() });
    return lines;
}

// A line as text, for reading its meaning: UTF-8, or Windows-1250 when it is not valid UTF-8.
QString lineText(const Line& line)
{
    return decodeText(line.text).trimmed();
}

std::optional<QString> sectionName(const QString& trimmedLine)
{
    if (trimmedLine.startsWith(u'[') && trimmedLine.endsWith(u']'))
        return trimmedLine.mid(1, trimmedLine.size() - 2).trimmed();
    return std::nullopt;
}

bool isComment(const QString& trimmedLine)
{
    return trimmedLine.isEmpty() || trimmedLine.startsWith(u';') || trimmedLine.startsWith(u'#');
}

// The key of a "KEY=value" line, upper-cased; empty for any other line.
QString keyOf(const QString& trimmedLine)
{
    const qsizetype equals = trimmedLine.indexOf(u'=');
    if (isComment(trimmedLine) || equals < 0)
        return {};
    return trimmedLine.left(equals).trimmed().toUpper();
}

std::vector<DatabaseAlias> parse(const std::vector<Line>& lines)
{
    std::vector<DatabaseAlias> found;
    for (const Line& line : lines) {
        const QString trimmed = lineText(line);
        if (isComment(trimmed))
            continue;
        if (const auto name = sectionName(trimmed)) {
            found.push_back({ *name, QStringLiteral("SQLITE"), QString() });
            continue;
        }
        const QString key = keyOf(trimmed);
        if (found.empty() || key.isEmpty())
            continue;
        const QString value = trimmed.mid(trimmed.indexOf(u'=') + 1).trimmed();
        if (key == u"DRIVER")
            found.back().driver = value.toUpper();
        else if (key == u"PATH")
            found.back().path = value;
        else if (key == u"HOST")
            found.back().host = value;
        else if (key == u"PORT")
            found.back().port = value.toInt();
        else if (key == u"DATABASE")
            found.back().database = value;
        else if (key == u"USER")
            found.back().user = value;
    }
    return found;
}

// The keys the engine writes for an alias; other keys of its section are kept as they are.
bool isEngineKey(const QString& key)
{
    return key == u"DRIVER" || key == u"PATH" || key == u"HOST" || key == u"PORT" || key == u"DATABASE"
        || key == u"USER";
}

QStringList entryLines(const DatabaseAlias& alias)
{
    QStringList lines { QStringLiteral("[%1]").arg(alias.name), QStringLiteral("DRIVER=%1").arg(alias.driver) };
    if (!alias.path.isEmpty() || alias.driver == u"SQLITE")
        lines << QStringLiteral("PATH=%1").arg(alias.path);
    if (!alias.host.isEmpty())
        lines << QStringLiteral("HOST=%1").arg(alias.host);
    if (alias.port != 0)
        lines << QStringLiteral("PORT=%1").arg(alias.port);
    if (!alias.database.isEmpty())
        lines << QStringLiteral("DATABASE=%1").arg(alias.database);
    if (!alias.user.isEmpty())
        lines << QStringLiteral("USER=%1").arg(alias.user);
    return lines;
}

std::map<QString, DefaultAlias>& defaults()
{
    static std::map<QString, DefaultAlias> registered;
    return registered;
}

} // namespace

AliasFile::AliasFile(QString fileName)
    : fileName_(std::move(fileName))
{
}

QString AliasFile::defaultFileName()
{
    const QString named = qEnvironmentVariable(aliasFileVariable);
    if (!named.isEmpty())
        return named;
    return QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation)
        + QStringLiteral("/platform/db-aliases.conf");
}

std::optional<QByteArray> AliasFile::readBytes() const
{
    try {
        return readWholeFile(fileName_, largestTextFile);
    } catch (const FileOpenError& error) {
        // Only a file that is not there holds no alias; one that cannot be read is an error, or
        // its aliases would be taken for none and written over.
        if (!QFileInfo(fileName_).exists() && !QFileInfo(fileName_).isSymLink())
            return std::nullopt;
        throw DatabaseError(error.message());
    }
}

std::vector<DatabaseAlias> AliasFile::aliases() const
{
    const std::optional<QByteArray> bytes = readBytes();
    return bytes ? parse(splitLines(*bytes)) : std::vector<DatabaseAlias>();
}

std::optional<DatabaseAlias> AliasFile::find(const QString& name) const
{
    for (DatabaseAlias& alias : aliases())
        if (alias.name.compare(name, Qt::CaseInsensitive) == 0)
            return std::move(alias);
    return std::nullopt;
}

void AliasFile::store(const DatabaseAlias& alias) const
{
    change(alias, true);
}

DatabaseAlias AliasFile::storeIfMissing(const DatabaseAlias& alias) const
{
    return change(alias, false);
}

DatabaseAlias AliasFile::change(const DatabaseAlias& alias, bool replace) const
{
    const QFileInfo info(fileName_);
    if (!QDir().mkpath(info.absolutePath()))
        throw DatabaseError(QStringLiteral("Cannot create the folder of the alias file %1").arg(fileName_));
    // Every program on the machine changes this file the same way: read, change, write, under
    // this lock, so that two of them adding aliases at once keep each other's.
    QLockFile lock(fileName_ + QStringLiteral(".lock"));
    if (!lock.tryLock(lockWaitMilliseconds)) {
        throw DatabaseError(lock.error() == QLockFile::LockFailedError
                ? QStringLiteral("The alias file %1 is locked by another program").arg(fileName_)
                : QStringLiteral("Cannot lock the alias file %1").arg(fileName_));
    }

    const QByteArray bytes = readBytes().value_or(QByteArray());
    std::vector<Line> lines = splitLines(bytes);
    if (!replace) {
        for (const DatabaseAlias& present : parse(lines))
            if (present.name.compare(alias.name, Qt::CaseInsensitive) == 0)
                return present;
    }

    // New lines break the way the file's first line does.
    const QByteArray lineBreak
        = lines.empty() || lines.front().lineBreak.isEmpty() ? QByteArray("\n") : lines.front().lineBreak;
    std::vector<Line> entry;
    for (const QString& text : entryLines(alias))
        entry.push_back({ text.toUtf8(), lineBreak });

    // The alias's own section gets the new header and keys in place of its old ones; whatever else
    // it holds, and every other line, stays as it was.
    std::vector<Line> result;
    bool inSection = false;
    bool replaced = false;
    for (const Line& line : lines) {
        const QString trimmed = lineText(line);
        if (const auto name = sectionName(trimmed)) {
            inSection = !replaced && name->compare(alias.name, Qt::CaseInsensitive) == 0;
            if (inSection) {
                result.insert(result.end(), entry.begin(), entry.end());
                replaced = true;
                continue;
            }
        }
        if (inSection && isEngineKey(keyOf(trimmed)))
            continue;
        result.push_back(line);
    }
    if (!replaced) {
        if (!result.empty() && result.back().lineBreak.isEmpty())
            result.back().lineBreak = lineBreak;
        if (result.empty())
            result.push_back({ "; Database aliases: [name], then DRIVER= and PATH= of its database.", lineBreak });
        result.push_back({ QByteArray(), lineBreak });
        result.insert(result.end(), entry.begin(), entry.end());
    }

    QByteArray written;
    written.reserve(bytes.size() + 256);
    for (const Line& line : result)
        written += line.text + line.lineBreak;
    try {
        writeWholeFile(fileName_, written);
    } catch (const FileCreateError& error) {
        throw DatabaseError(error.message());
    }
    return alias;
}

void registerDefaultAlias(const DefaultAlias& defaultAlias)
{
    defaults()[defaultAlias.name.toCaseFolded()] = defaultAlias;
}

std::optional<DefaultAlias> defaultAliasFor(const QString& name)
{
    const auto found = defaults().find(name.toCaseFolded());
    if (found == defaults().end())
        return std::nullopt;
    return found->second;
}

QString defaultDatabasePath(const DefaultAlias& defaults)
{
    return QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation) + u'/' + defaults.name + u'/'
        + defaults.fileName;
}

} // namespace platform
