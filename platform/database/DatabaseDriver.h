// What a database driver of the engine does: open the database an alias points to, create a new
// one from a schema, and put the engine's own functions into a connection. Every text that only
// one SQL product understands lives in that product's driver.
#pragma once

#include "platform/database/DatabaseAliases.h"

#include <QSqlDatabase>
#include <QString>
#include <QStringList>

namespace platform {

class CaseMapping;

class DatabaseDriver {
public:
    virtual ~DatabaseDriver() = default;

    // Opens the existing database of `alias` on a new Qt connection; throws DatabaseError when
    // it is missing or cannot be read.
    virtual QSqlDatabase open(const DatabaseAlias& alias, const QString& connectionName) const = 0;

    // Creates the database of `alias`, which does not exist yet, and runs `schema` in it.
    virtual void create(const DatabaseAlias& alias, const QStringList& schema) const = 0;

    // Makes the SQL function upper() use `mapping` on this connection.
    virtual void installUpperCase(QSqlDatabase& connection, const CaseMapping& mapping) const = 0;

    // A condition that holds when "upper(column) like pattern" holds for any of `columns`, with
    // the pattern bound to its one placeholder. Needs installUpperCase on the connection.
    virtual QString anyUpperCaseLike(const QStringList& columns) const = 0;
};

// The driver an alias names ("SQLITE"); throws DatabaseError for a driver the engine lacks.
const DatabaseDriver& databaseDriver(const QString& name);

// SQLite through QtSql, embedded: the default driver.
const DatabaseDriver& sqliteDriver();

} // namespace platform
