// The PostgreSQL driver of the engine, over QtSql's QPSQL. The only unit that knows PostgreSQL's
// own statements: the upper-casing function it keeps on the server, the trigram indexes that serve
// searches, and how a lost connection shows in libpq. Passwords are libpq's own business
// (~/.pgpass, PGPASSFILE); the engine never reads or stores one.
#include "platform/Errors.h"
#include "platform/database/CaseMapping.h"
#include "platform/database/DatabaseDriver.h"

#include <QCryptographicHash>
#include <QRegularExpression>
#include <QSqlDriver>
#include <QSqlError>
#include <QSqlQuery>
#include <libpq-fe.h>

namespace platform {

namespace {

const QString qtDriverName = QStringLiteral("QPSQL");
// Serialises the engine's schema changes between clients that connect at the same moment.
const QString schemaLock = QStringLiteral("select pg_catalog.pg_advisory_xact_lock(7305110110)");

// libpq's message without what only a developer reads: the severity, the statement quoted with a
// caret under the fault, and the SQLSTATE code QPSQL appends.
QString readableError(const QSqlError& error)
{
    QString text = error.databaseText().isEmpty() ? error.text() : error.databaseText();
    static const QRegularExpression code(QStringLiteral("\\(\\w{5}\\)\\s*$"));
    text.remove(code);
    static const QRegularExpression severity(QStringLiteral("^(ERROR|FATAL|PANIC):\\s+"));
    QStringList lines;
    for (QString line : text.split(u'\n')) {
        line = line.trimmed();
        line.remove(severity);
        if (line.isEmpty() || line.startsWith(QStringLiteral("LINE ")) || line == u"^")
            continue;
        lines << line;
    }
    return lines.join(u'\n');
}

QString literal(const QString& text)
{
    return u'\'' + QString(text).replace(u'\'', QStringLiteral("''")) + u'\'';
}

QString describe(const DatabaseAlias& alias)
{
    QString where = alias.host.isEmpty() ? QStringLiteral("localhost") : alias.host;
    if (alias.port != 0)
        where += u':' + QString::number(alias.port);
    return where + u'/' + alias.database;
}

bool isSurrogate(char32_t c)
{
    return c >= 0xD800 && c <= 0xDFFF;
}

// SQLite's LIKE, which the engine's search follows, treats ASCII letters of either case alike;
// PostgreSQL's LIKE tells them apart. Both sides of every comparison are therefore folded to
// capitals here, ASCII only, as SQLite does.
char16_t likeFold(char16_t c)
{
    return c >= u'a' && c <= u'z' ? static_cast<char16_t>(c - u'a' + u'A') : c;
}

// The engine's upper-casing as an expression over $1 on the server, which depends on no locale:
// ASCII letters by upper() under the "C" collation, which is quick, then a translate() of the few
// other characters the mapping (then the LIKE folding) changes. translate() costs time for each
// character it is given, so a mapping that treats ASCII letters otherwise is the one that has
// every character in it.
struct ServerUpperCase {
    QString function;
    QString body;
};

ServerUpperCase serverUpperCase(const CaseMapping& mapping)
{
    const auto folded = [&](char32_t c) { return likeFold(mapping.map(static_cast<char16_t>(c))); };
    bool asciiAsInC = true;
    for (char32_t c = 1; c < 0x80; ++c)
        asciiAsInC = asciiAsInC && folded(c) == likeFold(static_cast<char16_t>(c));
    QString from;
    QString to;
    for (char32_t c = asciiAsInC ? 0x80 : 1; c < 0x10000; ++c) {
        const char16_t mapped = folded(c);
        if (!isSurrogate(c) && mapped != c && mapped != 0 && !isSurrogate(mapped)) {
            from += QChar(static_cast<char16_t>(c));
            to += QChar(mapped);
        }
    }
    ServerUpperCase result;
    const QString text = asciiAsInC ? QStringLiteral("pg_catalog.upper($1 collate \"C\")") : QStringLiteral("$1");
    result.body = from.isEmpty()
        ? text
        : QStringLiteral("pg_catalog.translate(%1, %2, %3)").arg(text, literal(from), literal(to));
    // The name carries the expression, so an index built with one mapping is never read with another.
    const QByteArray digest = QCryptographicHash::hash(result.body.toUtf8(), QCryptographicHash::Sha1).toHex();
    result.function = QStringLiteral("engine_upper_") + QString::fromLatin1(digest.left(12));
    return result;
}

// For the short pattern alone; its collation stays the database's, which the indexes have too.
QString asciiFolding(const QString& expression)
{
    return QStringLiteral("pg_catalog.translate(%1, 'abcdefghijklmnopqrstuvwxyz', 'ABCDEFGHIJKLMNOPQRSTUVWXYZ')")
        .arg(expression);
}

void execute(QSqlQuery& query, const QString& statement, const QString& failure)
{
    if (!query.exec(statement))
        throw DatabaseError(failure.arg(readableError(query.lastError())));
}

class PostgresDriver : public DatabaseDriver {
public:
    QSqlDatabase open(const DatabaseAlias& alias, const QString& connectionName) const override
    {
        if (!QSqlDatabase::isDriverAvailable(qtDriverName))
            throw DatabaseError(QStringLiteral("Cannot open database \"%1\": the PostgreSQL driver of QtSql (QPSQL) "
                                               "is not installed")
                                    .arg(describe(alias)));
        QSqlDatabase connection = QSqlDatabase::addDatabase(qtDriverName, connectionName);
        connection.setHostName(alias.host);
        if (alias.port != 0)
            connection.setPort(alias.port);
        connection.setDatabaseName(alias.database);
        connection.setUserName(alias.user);
        // A server that does not answer must not hang the program for the system's TCP timeout.
        connection.setConnectOptions(QStringLiteral("connect_timeout=10"));
        if (!connection.open()) {
            const QString reason = readableError(connection.lastError());
            throw DatabaseError(QStringLiteral("Cannot open database \"%1\": %2").arg(describe(alias), reason));
        }
        return connection;
    }

    void create(const DatabaseAlias& alias, const QStringList& /*schema*/) const override
    {
        // Creating a database on a server is its administrator's job; the engine fills an empty one.
        throw DatabaseError(
            QStringLiteral("Database \"%1\" must be created on the server by its administrator").arg(describe(alias)));
    }

    void installUpperCase(QSqlDatabase& connection, const CaseMapping& mapping) const override
    {
        const ServerUpperCase upper = serverUpperCase(mapping);
        if (functionExists(connection, upper.function))
            return;
        const QString failure = QStringLiteral("Cannot install the function %1: %2").arg(upper.function);
        if (!connection.transaction())
            throw DatabaseError(failure.arg(readableError(connection.lastError())));
        try {
            QSqlQuery query(connection);
            execute(query, schemaLock, failure);
            if (!functionExists(connection, upper.function)) {
                // A plain SQL function is inlined into queries and index definitions alike, so the
                // planner sees the same expression in both.
                execute(query,
                    QStringLiteral("create function %1(text) returns text language sql immutable strict parallel safe "
                                   "as $engine$ select %2 $engine$")
                        .arg(upper.function, upper.body),
                    failure);
            }
            if (!connection.commit())
                throw DatabaseError(failure.arg(readableError(connection.lastError())));
        } catch (...) {
            connection.rollback();
            throw;
        }
    }

    void createTablesWhenEmpty(
        QSqlDatabase& connection, const DefaultAlias& definition, const CaseMapping* mapping) const override
    {
        const QString failure = QStringLiteral("Cannot create the tables of database %1: %2").arg(definition.name);
        if (!connection.transaction())
            throw DatabaseError(failure.arg(readableError(connection.lastError())));
        try {
            QSqlQuery query(connection);
            execute(query, schemaLock, failure);
            execute(query,
                QStringLiteral("select count(*) from pg_catalog.pg_tables where schemaname = current_schema()"),
                failure);
            if (!query.next())
                throw DatabaseError(failure.arg(readableError(query.lastError())));
            if (query.value(0).toLongLong() > 0) {
                connection.rollback();
                return;
            }
            const bool indexed = mapping && !definition.searchedColumns.empty();
            // The trigram index is what lets LIKE '%word%' skip the rows without the word's
            // letters; pg_trgm is a trusted extension, so the database's owner may add it.
            if (indexed)
                execute(query, QStringLiteral("create extension if not exists pg_trgm"), failure);
            for (const QString& statement : definition.schema)
                execute(query, statement, failure);
            if (indexed) {
                const QString function = serverUpperCase(*mapping).function;
                for (const SearchedColumn& searched : definition.searchedColumns)
                    execute(query,
                        QStringLiteral("create index %1_%2_search on %1 using gin (%3(%2) gin_trgm_ops)")
                            .arg(searched.table, searched.column, function),
                        failure);
            }
            if (!connection.commit())
                throw DatabaseError(failure.arg(readableError(connection.lastError())));
        } catch (...) {
            connection.rollback();
            throw;
        }
    }

    QString anyUpperCaseLike(const QStringList& columns, const CaseMapping& mapping) const override
    {
        const QString function = serverUpperCase(mapping).function;
        // "$1" stands in every clause: the one bound pattern, compared without an escape character
        // as in SQLite, so a backslash in a word is a backslash.
        QStringList clauses;
        for (const QString& column : columns)
            clauses
                << QStringLiteral("%1(%2) like %3 escape ''").arg(function, column, asciiFolding(QStringLiteral("$1")));
        return u'(' + clauses.join(QStringLiteral(" or ")) + u')';
    }

    QString errorMessage(const QSqlError& error) const override { return readableError(error); }

    bool connectionLost(const QSqlDatabase& connection) const override
    {
        // QPSQL closes a connection itself when libpq finds it broken.
        if (!connection.isOpen())
            return true;
        const QVariant handle = connection.driver()->handle();
        if (!handle.isValid() || qstrcmp(handle.typeName(), "PGconn*") != 0)
            return false;
        PGconn* native = *static_cast<PGconn* const*>(handle.constData());
        return !native || PQstatus(native) == CONNECTION_BAD;
    }

private:
    static bool functionExists(QSqlDatabase& connection, const QString& function)
    {
        QSqlQuery query(connection);
        query.prepare(QStringLiteral("select pg_catalog.to_regprocedure(?) is not null"));
        query.addBindValue(function + QStringLiteral("(text)"));
        if (!query.exec() || !query.next())
            throw DatabaseError(
                QStringLiteral("Cannot look up the function %1: %2").arg(function, readableError(query.lastError())));
        return query.value(0).toBool();
    }
};

} // namespace

const DatabaseDriver& postgresDriver()
{
    static const PostgresDriver driver;
    return driver;
}

} // namespace platform
