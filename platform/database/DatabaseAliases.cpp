#include "platform/database/DatabaseAliases.h"

#include "platform/Errors.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QStandardPaths>
#include <QTextStream>
#include <map>

namespace platform {

namespace {

const char* const aliasFileVariable = "PLATFORM_DB_ALIASES";

QStringList readLines(const QString& fileName)
{
    QFile file(fileName);
    if (!file.open(QIODevice::ReadOnly | QIODevice::Text))
        return {};
    return QString::fromUtf8(file.readAll()).split(u'\n');
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

std::vector<DatabaseAlias> AliasFile::aliases() const
{
    std::vector<DatabaseAlias> found;
    for (const QString& line : readLines(fileName_)) {
        const QString trimmed = line.trimmed();
        if (isComment(trimmed))
            continue;
        if (const auto name = sectionName(trimmed)) {
            found.push_back({ *name, QStringLiteral("SQLITE"), QString() });
            continue;
        }
        const qsizetype equals = trimmed.indexOf(u'=');
        if (found.empty() || equals < 0)
            continue;
        const QString key = trimmed.left(equals).trimmed().toUpper();
        const QString value = trimmed.mid(equals + 1).trimmed();
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

std::optional<DatabaseAlias> AliasFile::find(const QString& name) const
{
    for (DatabaseAlias& alias : aliases())
        if (alias.name.compare(name, Qt::CaseInsensitive) == 0)
            return std::move(alias);
    return std::nullopt;
}

void AliasFile::store(const DatabaseAlias& alias) const
{
    // The other entries and the comments stay exactly as they were; only this alias's section is
    // replaced, or added at the end.
    QStringList lines = readLines(fileName_);
    while (!lines.isEmpty() && lines.constLast().trimmed().isEmpty())
        lines.removeLast();
    QStringList result;
    bool skipping = false;
    bool replaced = false;
    for (const QString& line : std::as_const(lines)) {
        if (const auto name = sectionName(line.trimmed())) {
            skipping = name->compare(alias.name, Qt::CaseInsensitive) == 0;
            if (skipping && !replaced) {
                result << entryLines(alias);
                replaced = true;
            }
        }
        if (!skipping)
            result << line;
    }
    if (!replaced) {
        if (result.isEmpty())
            result << QStringLiteral("; Database aliases: [name], then DRIVER= and PATH= of its database.");
        result << QString() << entryLines(alias);
    }

    const QFileInfo info(fileName_);
    if (!QDir().mkpath(info.absolutePath()))
        throw DatabaseError(QStringLiteral("Cannot create the folder of the alias file %1").arg(fileName_));
    QSaveFile file(fileName_);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Text))
        throw DatabaseError(QStringLiteral("Cannot write the alias file %1: %2").arg(fileName_, file.errorString()));
    file.write((result.join(u'\n') + u'\n').toUtf8());
    if (!file.commit())
        throw DatabaseError(QStringLiteral("Cannot write the alias file %1: %2").arg(fileName_, file.errorString()));
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
