// The SQLite driver of the engine, over QtSql's QSQLITE. The only unit that knows SQLite's own
// statements and its C interface.
#include "platform/database/CaseMapping.h"
#include "platform/database/DatabaseDriver.h"
#include "platform/database/LikeMatching.h"
#include "platform/Errors.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QRandomGenerator>
#include <QSqlDriver>
#include <QSqlError>
#include <QSqlQuery>
#include <sqlite3.h>
#include <array>
#include <cerrno>
#include <cstdio>
#include <fcntl.h>
#include <optional>
#include <string>
#include <unistd.h>

namespace platform {

namespace {

void upperFunction(sqlite3_context* context, int argumentCount, sqlite3_value** arguments)
{
    if (argumentCount != 1 || sqlite3_value_type(arguments[0]) == SQLITE_NULL) {
        sqlite3_result_null(context);
        return;
    }
    const auto* text = reinterpret_cast<const char*>(sqlite3_value_text(arguments[0]));
    const int length = sqlite3_value_bytes(arguments[0]);
    const auto* mapping = static_cast<const CaseMapping*>(sqlite3_user_data(context));
    // One buffer for every call on the one thread the engine runs on, so a scan allocates rarely.
    thread_local std::string mapped;
    if (text && mapping->applyUtf8(std::string_view(text, static_cast<std::size_t>(length)), mapped))
        sqlite3_result_text(context, mapped.data(), static_cast<int>(mapped.size()), SQLITE_TRANSIENT);
    else
        sqlite3_result_value(context, arguments[0]);
}

// The common pattern "%word%" with no wildcard inside the word: a plain search for the word in
// the upper-cased value. Each character is upper-cased as it is read, so nothing is copied; both
// sides then fold ASCII letters, as LIKE does.
class ContainsSearch {
public:
    static std::optional<ContainsSearch> forPattern(std::string_view pattern, const CaseMapping& mapping)
    {
        if (pattern.size() < 2 || pattern.front() != '%' || pattern.back() != '%')
            return std::nullopt;
        const std::string_view word = pattern.substr(1, pattern.size() - 2);
        if (word.find_first_of("%_") != std::string_view::npos)
            return std::nullopt;
        return ContainsSearch(word, mapping);
    }

    bool foundIn(std::string_view text) const
    {
        if (word_.empty())
            return true;
        for (std::size_t at = 0; at < text.size();) {
            if (nextInValue(text, at) != word_[0])
                continue;
            std::size_t k = 1;
            for (std::size_t rest = at; k < word_.size() && rest < text.size(); ++k)
                if (nextInValue(text, rest) != word_[k])
                    break;
            if (k == word_.size())
                return true;
        }
        return false;
    }

private:
    ContainsSearch(std::string_view word, const CaseMapping& mapping)
        : mapping_(&mapping)
    {
        for (char32_t c = 0; c < 128; ++c)
            ascii_[c] = fold(mapping.map(static_cast<char16_t>(c)));
        for (std::size_t at = 0; at < word.size();)
            word_ += fold(decode(word, at));
    }

    static char32_t fold(char32_t c) { return c >= U'a' && c <= U'z' ? c - U'a' + U'A' : c; }

    // The character at `at`, moving past it. A byte that starts no valid character stands for
    // itself, outside the range of characters, so that it matches nothing a pattern holds.
    static char32_t decode(std::string_view text, std::size_t& at)
    {
        const std::size_t length = utf8CharacterLength(text, at);
        const auto lead = static_cast<unsigned char>(text[at]);
        const std::size_t expected = lead < 0x80 ? 1 : lead < 0xC0 ? 0 : lead < 0xE0 ? 2 : lead < 0xF0 ? 3 : 4;
        if (expected != length) {
            ++at;
            return 0x110000 + lead;
        }
        char32_t c = expected == 1 ? lead : lead & (0x3F >> (expected - 1));
        for (std::size_t k = 1; k < length; ++k)
            c = (c << 6) | (static_cast<unsigned char>(text[at + k]) & 0x3F);
        at += length;
        return c;
    }

    char32_t nextInValue(std::string_view text, std::size_t& at) const
    {
        const auto lead = static_cast<unsigned char>(text[at]);
        if (lead < 0x80) {
            ++at;
            return ascii_[lead];
        }
        const char32_t c = decode(text, at);
        return c < 0x10000 ? fold(mapping_->map(static_cast<char16_t>(c))) : c;
    }

    const CaseMapping* mapping_;
    std::array<char32_t, 128> ascii_ {};
    std::u32string word_;
};

// upper_like_any(pattern, value...): whether "upper(value) like pattern" holds for any value. One
// call per row instead of an upper() and a like() per column makes a search over every program
// of the catalogue several times faster.
void upperLikeAnyFunction(sqlite3_context* context, int argumentCount, sqlite3_value** arguments)
{
    if (argumentCount < 1 || sqlite3_value_type(arguments[0]) == SQLITE_NULL) {
        sqlite3_result_null(context);
        return;
    }
    const auto* patternText = reinterpret_cast<const char*>(sqlite3_value_text(arguments[0]));
    const std::string_view pattern(patternText, static_cast<std::size_t>(sqlite3_value_bytes(arguments[0])));
    const auto* mapping = static_cast<const CaseMapping*>(sqlite3_user_data(context));
    thread_local std::string mapped;
    // The pattern is the same for every row of a statement: SQLite keeps what was made of it.
    using Compiled = std::optional<ContainsSearch>;
    Compiled uncached;
    const auto* compiled = static_cast<const Compiled*>(sqlite3_get_auxdata(context, 0));
    if (!compiled) {
        sqlite3_set_auxdata(context, 0, new Compiled(ContainsSearch::forPattern(pattern, *mapping)),
            [](void* data) { delete static_cast<Compiled*>(data); });
        compiled = static_cast<const Compiled*>(sqlite3_get_auxdata(context, 0));
    }
    if (!compiled) { // SQLite may drop auxiliary data at once when memory is short
        uncached = ContainsSearch::forPattern(pattern, *mapping);
        compiled = &uncached;
    }
    const ContainsSearch* search = *compiled ? &**compiled : nullptr;
    bool anyNull = false;
    for (int i = 1; i < argumentCount; ++i) {
        if (sqlite3_value_type(arguments[i]) == SQLITE_NULL) {
            anyNull = true;
            continue;
        }
        const auto* text = reinterpret_cast<const char*>(sqlite3_value_text(arguments[i]));
        const std::string_view value(text ? text : "", static_cast<std::size_t>(sqlite3_value_bytes(arguments[i])));
        const bool matches = search
            ? search->foundIn(value)
            : likeMatches(pattern, mapping->applyUtf8(value, mapped) ? std::string_view(mapped) : value);
        if (matches) {
            sqlite3_result_int(context, 1);
            return;
        }
    }
    // As "null or false" is null in SQL.
    if (anyNull)
        sqlite3_result_null(context);
    else
        sqlite3_result_int(context, 0);
}

sqlite3* nativeHandle(const QSqlDatabase& connection)
{
    const QVariant handle = connection.driver()->handle();
    if (!handle.isValid() || qstrcmp(handle.typeName(), "sqlite3*") != 0)
        return nullptr;
    return *static_cast<sqlite3* const*>(handle.constData());
}

QString errorText(const QSqlError& error)
{
    const QString text = error.databaseText().isEmpty() ? error.text() : error.databaseText();
    return text.trimmed();
}

class SqliteDriver : public DatabaseDriver {
public:
    QSqlDatabase open(const DatabaseAlias& alias, const QString& connectionName) const override
    {
        // QSQLITE would quietly create an empty file; a missing catalogue is an error instead.
        if (!QFileInfo(alias.path).isFile())
            throw DatabaseError(QStringLiteral("Cannot open database \"%1\": the file does not exist").arg(alias.path));
        QSqlDatabase connection = connect(alias, connectionName);
        // SQLite reads the file lazily; reading its schema now finds a damaged file at once.
        QSqlQuery probe(connection);
        if (!probe.exec(QStringLiteral("select count(*) from sqlite_master"))) {
            const QString reason = errorText(probe.lastError());
            probe = QSqlQuery();
            connection.close();
            throw DatabaseError(QStringLiteral("Cannot open database \"%1\": %2").arg(alias.path, reason));
        }
        return connection;
    }

    void create(const DatabaseAlias& alias, const QStringList& schema) const override
    {
        if (!QDir().mkpath(QFileInfo(alias.path).absolutePath()))
            throw DatabaseError(QStringLiteral("Cannot create the folder of \"%1\"").arg(alias.path));
        // The database is built whole under a name of its own and only then given its name, so
        // that nobody ever opens a half-made one, a failure leaves nothing behind, and of several
        // programs creating it at once one puts its database in place and the others adopt it.
        const QString building = QStringLiteral("%1.new-%2-%3")
                                     .arg(alias.path)
                                     .arg(QCoreApplication::applicationPid())
                                     .arg(QRandomGenerator::global()->generate64(), 16, 16, QChar(u'0'));
        try {
            build(building, schema);
            if (!moveIntoPlace(building, alias.path))
                removeDatabaseFiles(building); // another program's database came first
        } catch (const DatabaseError& error) {
            removeDatabaseFiles(building);
            throw DatabaseError(QStringLiteral("Cannot create database \"%1\": %2").arg(alias.path, error.message()));
        }
    }

    void installUpperCase(QSqlDatabase& connection, const CaseMapping& mapping) const override
    {
        sqlite3* handle = nativeHandle(connection);
        if (!handle)
            throw DatabaseError(QStringLiteral("The SQLite connection has no native handle"));
        // Replaces SQLite's own upper(), which knows ASCII letters only.
        const int result = sqlite3_create_function_v2(handle, "upper", 1, SQLITE_UTF8 | SQLITE_DETERMINISTIC,
            const_cast<CaseMapping*>(&mapping), &upperFunction, nullptr, nullptr, nullptr);
        if (result != SQLITE_OK)
            throw DatabaseError(QString::fromUtf8(sqlite3_errmsg(handle)));
        const int fused = sqlite3_create_function_v2(handle, "upper_like_any", -1, SQLITE_UTF8 | SQLITE_DETERMINISTIC,
            const_cast<CaseMapping*>(&mapping), &upperLikeAnyFunction, nullptr, nullptr, nullptr);
        if (fused != SQLITE_OK)
            throw DatabaseError(QString::fromUtf8(sqlite3_errmsg(handle)));
    }

    QString anyUpperCaseLike(const QStringList& columns, const CaseMapping& /*mapping*/) const override
    {
        return QStringLiteral("upper_like_any(?, %1)").arg(columns.join(QStringLiteral(", ")));
    }

private:
    static void build(const QString& fileName, const QStringList& schema)
    {
        const QString connectionName = QStringLiteral("platform-create-%1").arg(fileName);
        const struct Release {
            QString name;
            ~Release() { QSqlDatabase::removeDatabase(name); }
        } release { connectionName };
        QSqlDatabase connection = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), connectionName);
        connection.setDatabaseName(fileName);
        const auto fail = [&](const QSqlError& error) {
            QString reason = errorText(error);
            // SQLite's own text ("disk I/O error") does not say what the system refused.
            if (sqlite3* handle = nativeHandle(connection); handle && sqlite3_system_errno(handle) != 0)
                reason += QStringLiteral(" (%1)").arg(qt_error_string(sqlite3_system_errno(handle)));
            connection.rollback();
            connection.close();
            throw DatabaseError(reason);
        };
        if (!connection.open() || !connection.transaction())
            fail(connection.lastError());
        {
            QSqlQuery query(connection);
            for (const QString& statement : schema)
                if (!query.exec(statement))
                    fail(query.lastError());
        }
        // A full disc shows only here, when the pages are written.
        if (!connection.commit())
            fail(connection.lastError());
        connection.close();
    }

    // Gives the built file its name unless a file of that name exists by then; false then.
    static bool moveIntoPlace(const QString& from, const QString& to)
    {
        const QByteArray source = QFile::encodeName(from);
        const QByteArray target = QFile::encodeName(to);
        if (::renameat2(AT_FDCWD, source.constData(), AT_FDCWD, target.constData(), RENAME_NOREPLACE) == 0)
            return true;
        int failure = errno;
        // A file system that cannot rename without replacing can still link without replacing.
        if (failure == EINVAL || failure == ENOSYS) {
            if (::link(source.constData(), target.constData()) == 0) {
                ::unlink(source.constData());
                return true;
            }
            failure = errno;
        }
        if (failure == EEXIST)
            return false;
        throw DatabaseError(qt_error_string(failure));
    }

    static void removeDatabaseFiles(const QString& fileName)
    {
        for (const QString& suffix :
            { QString(), QStringLiteral("-journal"), QStringLiteral("-wal"), QStringLiteral("-shm") })
            QFile::remove(fileName + suffix);
    }

    static QSqlDatabase connect(const DatabaseAlias& alias, const QString& connectionName)
    {
        QSqlDatabase connection = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), connectionName);
        connection.setDatabaseName(alias.path);
        if (!connection.open()) {
            const QString reason = errorText(connection.lastError());
            throw DatabaseError(QStringLiteral("Cannot open database \"%1\": %2").arg(alias.path, reason));
        }
        return connection;
    }
};

} // namespace

const DatabaseDriver& sqliteDriver()
{
    static const SqliteDriver driver;
    return driver;
}

const DatabaseDriver& databaseDriver(const QString& name)
{
    if (name.isEmpty() || name.compare(u"SQLITE", Qt::CaseInsensitive) == 0)
        return sqliteDriver();
    if (name.compare(u"POSTGRESQL", Qt::CaseInsensitive) == 0)
        return postgresDriver();
    throw DatabaseError(QStringLiteral("Unknown database driver: %1").arg(name));
}

} // namespace platform
