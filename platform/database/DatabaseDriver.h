// What a database driver of the engine does: open the database an alias points to, create a new
// one from a schema, and put the engine's own functions into a connection. Every text that only
// one SQL product understands lives in that product's driver.
#pragma once

#include "platform/database/DatabaseAliases.h"

#include <QSqlDatabase>
#include <QSqlError>
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

    // Makes the engine's upper-casing with `mapping` available on this connection: SQLite's upper()
    // itself, or a function a server keeps, installed when missing.
    virtual void installUpperCase(QSqlDatabase& connection, const CaseMapping& mapping) const = 0;

    // Creates the tables of `definition` in an opened database that has no tables yet, all in one
    // transaction, with the indexes that serve searches of its searched columns when `mapping` is
    // given; a database with tables is used as it is. Drivers whose create() makes the whole
    // database do nothing here.
    virtual void createTablesWhenEmpty(
        QSqlDatabase& /*connection*/, const DefaultAlias& /*definition*/, const CaseMapping* /*mapping*/) const
    {
    }

    // The text the user reads for a statement that failed.
    virtual QString errorMessage(const QSqlError& error) const
    {
        const QString text = error.databaseText().isEmpty() ? error.text() : error.databaseText();
        return text.trimmed();
    }

    // After a failed statement: whether the connection itself is gone (a server restarted, a
    // network down), so that the engine drops it and the next use connects again.
    virtual bool connectionLost(const QSqlDatabase& /*connection*/) const { return false; }

    // A condition that holds when "upper(column) like pattern" holds for any of `columns`, with
    // the pattern the statement's one bound value, upper-cased with `mapping` and compared as
    // SQLite's LIKE compares. Needs installUpperCase with the same mapping on the connection.
    virtual QString anyUpperCaseLike(const QStringList& columns, const CaseMapping& mapping) const = 0;
};

// The driver an alias names ("SQLITE", "POSTGRESQL"); throws DatabaseError for a driver the
// engine lacks.
const DatabaseDriver& databaseDriver(const QString& name);

// SQLite through QtSql, embedded: the default driver.
const DatabaseDriver& sqliteDriver();

// A PostgreSQL server through QtSql, for a catalogue that several computers share.
const DatabaseDriver& postgresDriver();

} // namespace platform
