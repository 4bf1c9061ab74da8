// The SQLite driver of the engine, over QtSql's QSQLITE. The only unit that knows SQLite's own
// statements and its C interface.
#include "platform/database/CaseMapping.h"
#include "platform/database/DatabaseDriver.h"
#include "platform/Errors.h"

#include <QDir>
#include <QFileInfo>
#include <QSqlDriver>
#include <QSqlError>
#include <QSqlQuery>
#include <sqlite3.h>
#include <array>
#include <optional>
#include <string>

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

// One character of UTF-8 text: its bytes starting at `at`; malformed bytes count one each.
std::size_t characterLength(std::string_view text, std::size_t at)
{
    const auto lead = static_cast<unsigned char>(text[at]);
    const std::size_t length = lead < 0xC0 ? 1 : lead < 0xE0 ? 2 : lead < 0xF0 ? 3 : 4;
    std::size_t available = 1;
    while (available < length && at + available < text.size()
        && (static_cast<unsigned char>(text[at + available]) & 0xC0) == 0x80)
        ++available;
    return available;
}

bool sameCharacter(std::string_view a, std::string_view b)
{
    if (a.size() == 1 && b.size() == 1) {
        // SQLite's LIKE folds the case of ASCII letters only.
        const auto fold = [](char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; };
        return fold(a[0]) == fold(b[0]);
    }
    return a == b;
}

// SQLite's LIKE without an escape character: "%" matches any run of characters, "_" exactly one.
bool likeMatches(std::string_view pattern, std::string_view text)
{
    std::size_t p = 0, t = 0;
    while (p < pattern.size()) {
        if (pattern[p] == '%') {
            while (p < pattern.size() && (pattern[p] == '%' || pattern[p] == '_')) {
                if (pattern[p] == '_') {
                    if (t == text.size())
                        return false;
                    t += characterLength(text, t);
                }
                ++p;
            }
            if (p == pattern.size())
                return true;
            const std::string_view rest = pattern.substr(p);
            const std::string_view first = rest.substr(0, characterLength(rest, 0));
            for (; t < text.size(); t += characterLength(text, t)) {
                if (sameCharacter(first, text.substr(t, characterLength(text, t))) && likeMatches(rest, text.substr(t)))
                    return true;
            }
            return false;
        }
        if (t == text.size())
            return false;
        const std::size_t patternLength = characterLength(pattern, p);
        const std::size_t textLength = characterLength(text, t);
        if (pattern[p] != '_' && !sameCharacter(pattern.substr(p, patternLength), text.substr(t, textLength)))
            return false;
        p += patternLength;
        t += textLength;
    }
    return t == text.size();
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
        const std::size_t length = characterLength(text, at);
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
        const QString connectionName = QStringLiteral("platform-create-%1").arg(alias.path);
        const struct Release {
            QString name;
            ~Release() { QSqlDatabase::removeDatabase(name); }
        } release { connectionName };
        {
            QSqlDatabase connection = connect(alias, connectionName);
            QSqlQuery query(connection);
            connection.transaction();
            for (const QString& statement : schema) {
                if (!query.exec(statement)) {
                    const QString reason = errorText(query.lastError());
                    connection.rollback();
                    query = QSqlQuery();
                    connection.close();
                    QFile::remove(alias.path);
                    throw DatabaseError(QStringLiteral("Cannot create database \"%1\": %2").arg(alias.path, reason));
                }
            }
            connection.commit();
            connection.close();
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
