// The database components of the engine: the connection opened by alias, table objects that walk
// and append rows, and the query object that runs one statement at a time with bound values.
// Drivers and aliases live in DatabaseDriver.h and DatabaseAliases.h; errors are DatabaseError.
#pragma once

#include <QObject>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QString>
#include <QStringList>
#include <QVariant>
#include <cstdint>
#include <vector>

namespace platform {

class CaseMapping;
class DatabaseDriver;

// One value of the current row.
class Field {
public:
    Field(QString name, QVariant value)
        : name_(std::move(name))
        , value_(std::move(value))
    {
    }
    const QString& name() const { return name_; }
    const QVariant& value() const { return value_; }
    bool isNull() const { return value_.isNull(); }
    // Null reads as an empty text and as 0.
    QString asString() const { return value_.toString(); }
    std::int32_t asInteger() const;

private:
    QString name_;
    QVariant value_;
};

class Database : public QObject {
    Q_OBJECT
    Q_PROPERTY(QString aliasName READ aliasName WRITE setAliasName)
    Q_PROPERTY(QString databaseName READ databaseName WRITE setDatabaseName)
    Q_PROPERTY(bool loginPrompt READ loginPrompt WRITE setLoginPrompt)
    Q_PROPERTY(bool connected READ connected)

public:
    explicit Database(QObject* parent = nullptr);
    ~Database() override;

    QString aliasName() const { return aliasName_; }
    void setAliasName(const QString& alias);
    // The local name by which tables and queries refer to this connection.
    QString databaseName() const { return databaseName_; }
    void setDatabaseName(const QString& name) { databaseName_ = name; }
    // Embedded drivers never ask for a login; kept for the programs that set it.
    bool loginPrompt() const { return loginPrompt_; }
    void setLoginPrompt(bool prompt) { loginPrompt_ = prompt; }
    bool connected() const { return connection_.isOpen() && !lost_; }

    // The SQL function upper() of this connection maps letters with `mapping` (not owned; it must
    // outlive the connection). Takes effect at the next open.
    void setUpperCase(const CaseMapping* mapping) { upperCase_ = mapping; }

    // Finds the alias, creating it first when the engine has defaults for it, and connects.
    // Does nothing when connected already; throws DatabaseError.
    void open();
    void close();

    QSqlDatabase& connection();

    // The driver's condition for "any of `columns`, upper-cased, is like the one bound pattern";
    // connects when needed, and needs an upper-case mapping.
    QString anyUpperCaseLike(const QStringList& columns);

    // Throws the engine's error for a statement that failed on this connection. A connection the
    // driver finds lost is dropped first, so that the next use connects again.
    [[noreturn]] void fail(const QSqlError& error);

signals:
    // The connection is closing: tables and queries on it let go of their rows.
    void closing();

private:
    QString connectionName_;
    QString aliasName_;
    QString databaseName_;
    bool loginPrompt_ = false;
    const CaseMapping* upperCase_ = nullptr;
    const DatabaseDriver* driver_ = nullptr;
    QSqlDatabase connection_;
    bool lost_ = false;
};

// A forward cursor over one result: the table's rows or a statement's rows.
class Cursor {
public:
    bool eof() const { return eof_; }
    // Throws DatabaseError with the engine's text when the next row cannot be read.
    void next();
    // The value of the named column in the current row; throws DatabaseError for an unknown name.
    Field fieldByName(const QString& name) const;
    Field field(int index) const;
    // For loops over many rows: look the column up once, then read by position.
    int fieldIndex(const QString& name) const;
    QVariant value(int index) const { return query_.value(index); }

protected:
    void start(QSqlQuery query);
    void reset();
    bool isOpen() const { return active_; }

private:
    bool step();

    QSqlQuery query_;
    QStringList columns_;
    bool eof_ = true;
    bool active_ = false;
};

class Table : public QObject, public Cursor {
    Q_OBJECT
    Q_PROPERTY(QString databaseName READ databaseName WRITE setDatabaseName)
    Q_PROPERTY(QString tableName READ tableName WRITE setTableName)
    Q_PROPERTY(bool active READ active)

public:
    explicit Table(Database* database, QObject* parent = nullptr);

    QString databaseName() const { return databaseName_; }
    void setDatabaseName(const QString& name) { databaseName_ = name; }
    // "t_plyty.db" and "t_plyty" name the same table.
    QString tableName() const { return tableName_; }
    void setTableName(const QString& name) { tableName_ = name; }
    bool active() const { return isOpen(); }

    // Connects the database when needed and goes to the first row; nothing when open already.
    void open();
    void close();
    // Reads the table again from its first row.
    void first();
    int recordCount() const { return recordCount_; }

    // Starts a new row, posting the one before it first.
    void append();
    void setFieldValue(const QString& name, const QVariant& value);
    // Stores the appended row.
    void post();
    // Drops the appended row without storing it, as after a post the database refused.
    void cancel();

private:
    QString sqlName() const;
    void requireActive() const;

    Database* database_;
    QString databaseName_;
    QString tableName_;
    int recordCount_ = 0;
    bool appending_ = false;
    std::vector<std::pair<QString, QVariant>> newRow_;
    QSqlQuery insert_;
    QString insertText_;
};

// One statement at a time: close, clearSql, addSql (a line at a time), bind values for its "?"
// placeholders, open, then read. Clearing the text drops the bound values too.
class Query : public QObject, public Cursor {
    Q_OBJECT
    Q_PROPERTY(bool active READ active)

public:
    explicit Query(Database* database, QObject* parent = nullptr);

    void close();
    void clearSql();
    void addSql(const QString& line);
    const QStringList& sql() const { return sql_; }
    // Binds the next "?" of the statement, in order.
    void addBindValue(const QVariant& value) { bindings_.push_back(value); }

    void open();
    bool active() const { return isOpen(); }
    // The number of rows of the result, whatever row the cursor is on.
    int recordCount();

private:
    QSqlQuery execute() const;

    Database* database_;
    QStringList sql_;
    QVariantList bindings_;
    int recordCount_ = -1;
};

} // namespace platform
