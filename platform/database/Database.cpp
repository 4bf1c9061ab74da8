#include "platform/database/Database.h"

#include "platform/database/DatabaseAliases.h"
#include "platform/database/DatabaseDriver.h"
#include "platform/Errors.h"

#include <QFileInfo>
#include <QSqlDriver>
#include <QSqlError>
#include <QSqlRecord>
#include <limits>

namespace platform {

namespace {

QString errorText(const QSqlError& error)
{
    const QString text = error.databaseText().isEmpty() ? error.text() : error.databaseText();
    return text.trimmed();
}

} // namespace

std::int32_t Field::asInteger() const
{
    if (value_.isNull())
        return 0;
    bool ok = false;
    const qlonglong number = value_.toLongLong(&ok);
    if (!ok || number < std::numeric_limits<std::int32_t>::min() || number > std::numeric_limits<std::int32_t>::max())
        throw DatabaseError(QStringLiteral("'%1' is not a valid integer value").arg(value_.toString()));
    return static_cast<std::int32_t>(number);
}

Database::Database(QObject* parent)
    : QObject(parent)
{
    static int connections = 0;
    connectionName_ = QStringLiteral("platform-database-%1").arg(++connections);
}

Database::~Database()
{
    close();
}

void Database::setAliasName(const QString& alias)
{
    if (alias != aliasName_)
        close();
    aliasName_ = alias;
}

void Database::open()
{
    if (connected())
        return;
    // A connection found lost is let go only now, when no statement of it is running any more.
    if (connection_.isValid())
        close();
    const AliasFile aliasFile(AliasFile::defaultFileName());
    std::optional<DatabaseAlias> alias = aliasFile.find(aliasName_);
    if (!alias) {
        const std::optional<DefaultAlias> defaults = defaultAliasFor(aliasName_);
        if (!defaults)
            throw DatabaseError(QStringLiteral("Unknown database alias: %1").arg(aliasName_));
        const DatabaseAlias made { defaults->name, QStringLiteral("SQLITE"), defaultDatabasePath(*defaults) };
        // An existing file is someone's catalogue: it is adopted, never overwritten.
        if (!QFileInfo::exists(made.path))
            databaseDriver(made.driver).create(made, defaults->schema);
        // Another copy of a program may have written the alias meanwhile; the file's one counts.
        alias = aliasFile.storeIfMissing(made);
    }
    const DatabaseDriver& driver = databaseDriver(alias->driver);
    try {
        connection_ = driver.open(*alias, connectionName_);
        if (upperCase_)
            driver.installUpperCase(connection_, *upperCase_);
        if (const std::optional<DefaultAlias> definition = defaultAliasFor(aliasName_))
            driver.createTablesWhenEmpty(connection_, *definition, upperCase_);
        driver_ = &driver;
    } catch (...) {
        close();
        throw;
    }
}

void Database::close()
{
    emit closing();
    if (connection_.isValid())
        connection_.close();
    connection_ = QSqlDatabase();
    driver_ = nullptr;
    lost_ = false;
    QSqlDatabase::removeDatabase(connectionName_);
}

QString Database::anyUpperCaseLike(const QStringList& columns)
{
    open();
    if (!upperCase_)
        throw DatabaseError(QStringLiteral("Database %1 has no upper-case mapping").arg(aliasName_));
    return driver_->anyUpperCaseLike(columns, *upperCase_);
}

void Database::fail(const QSqlError& error)
{
    const QString text = driver_ ? driver_->errorMessage(error) : errorText(error);
    if (!lost_ && driver_ && driver_->connectionLost(connection_)) {
        lost_ = true;
        emit closing();
    }
    throw DatabaseError(text);
}

QSqlDatabase& Database::connection()
{
    if (!connected())
        throw DatabaseError(QStringLiteral("Database %1 is not open").arg(aliasName_));
    return connection_;
}

void Cursor::start(QSqlQuery query)
{
    query_ = std::move(query);
    const QSqlRecord record = query_.record();
    columns_.clear();
    for (int i = 0; i < record.count(); ++i)
        columns_ << record.fieldName(i);
    active_ = true;
    eof_ = false;
    try {
        eof_ = !step();
    } catch (...) {
        reset();
        throw;
    }
}

bool Cursor::step()
{
    if (query_.next())
        return true;
    // A row that cannot be read (a damaged file) is an error, not the end of the rows.
    if (query_.lastError().isValid()) {
        eof_ = true;
        throw DatabaseError(errorText(query_.lastError()));
    }
    return false;
}

void Cursor::reset()
{
    query_ = QSqlQuery();
    columns_.clear();
    active_ = false;
    eof_ = true;
}

void Cursor::next()
{
    if (!eof_)
        eof_ = !step();
}

int Cursor::fieldIndex(const QString& name) const
{
    for (qsizetype i = 0; i < columns_.size(); ++i)
        if (columns_.at(i).compare(name, Qt::CaseInsensitive) == 0)
            return static_cast<int>(i);
    return -1;
}

Field Cursor::fieldByName(const QString& name) const
{
    const int index = fieldIndex(name);
    if (index < 0)
        throw DatabaseError(QStringLiteral("Field '%1' not found").arg(name));
    return Field(columns_.at(index), eof_ ? QVariant() : query_.value(index));
}

Field Cursor::field(int index) const
{
    if (index < 0 || index >= columns_.size())
        throw DatabaseError(QStringLiteral("List index out of bounds (%1)").arg(index));
    return Field(columns_.at(index), eof_ ? QVariant() : query_.value(index));
}

Table::Table(Database* database, QObject* parent)
    : QObject(parent)
    , database_(database)
{
    connect(database_, &Database::closing, this, &Table::close);
}

QString Table::sqlName() const
{
    QString name = tableName_;
    if (name.endsWith(QStringLiteral(".db"), Qt::CaseInsensitive))
        name.chop(3);
    return name;
}

void Table::open()
{
    if (active())
        return;
    database_->open();
    const QStringList tables = database_->connection().tables();
    if (!tables.contains(sqlName(), Qt::CaseInsensitive))
        throw DatabaseError(QStringLiteral("Table does not exist: %1").arg(tableName_));
    first();
}

void Table::close()
{
    reset();
    appending_ = false;
    newRow_.clear();
    insert_ = QSqlQuery();
    insertText_.clear();
}

void Table::first()
{
    QSqlDatabase& connection = database_->connection();
    const QString name = connection.driver()->escapeIdentifier(sqlName(), QSqlDriver::TableName);
    QSqlQuery count(connection);
    if (!count.exec(QStringLiteral("select count(*) from %1").arg(name)) || !count.next())
        database_->fail(count.lastError());
    recordCount_ = count.value(0).toInt();
    QSqlQuery rows(connection);
    rows.setForwardOnly(true);
    if (!rows.exec(QStringLiteral("select * from %1").arg(name)))
        database_->fail(rows.lastError());
    start(std::move(rows));
}

void Table::requireActive() const
{
    if (!isOpen())
        throw DatabaseError(QStringLiteral("Cannot perform this operation on a closed dataset"));
}

void Table::append()
{
    requireActive();
    if (appending_)
        post();
    appending_ = true;
    newRow_.clear();
}

void Table::setFieldValue(const QString& name, const QVariant& value)
{
    if (!appending_)
        throw DatabaseError(QStringLiteral("Dataset not in edit or insert mode"));
    for (auto& [column, stored] : newRow_) {
        if (column.compare(name, Qt::CaseInsensitive) == 0) {
            stored = value;
            return;
        }
    }
    newRow_.emplace_back(name, value);
}

void Table::post()
{
    if (!appending_)
        return;
    QSqlDatabase& connection = database_->connection();
    const QSqlDriver* driver = connection.driver();
    QStringList columns;
    QStringList placeholders;
    for (const auto& entry : newRow_) {
        columns << driver->escapeIdentifier(entry.first, QSqlDriver::FieldName);
        placeholders << QStringLiteral("?");
    }
    const QString text = QStringLiteral("insert into %1 (%2) values (%3)")
                             .arg(driver->escapeIdentifier(sqlName(), QSqlDriver::TableName), columns.join(u','),
                                 placeholders.join(u','));
    // Rows appended one after another set the same fields: a server then parses the statement once.
    if (text != insertText_) {
        insertText_.clear();
        insert_ = QSqlQuery(connection);
        if (!insert_.prepare(text))
            database_->fail(insert_.lastError());
        insertText_ = text;
    }
    for (qsizetype i = 0; i < qsizetype(newRow_.size()); ++i)
        insert_.bindValue(static_cast<int>(i), newRow_[static_cast<std::size_t>(i)].second);
    if (!insert_.exec())
        database_->fail(insert_.lastError());
    appending_ = false;
    newRow_.clear();
    ++recordCount_;
}

void Table::cancel()
{
    appending_ = false;
    newRow_.clear();
}

Query::Query(Database* database, QObject* parent)
    : QObject(parent)
    , database_(database)
{
    connect(database_, &Database::closing, this, &Query::close);
}

void Query::close()
{
    reset();
    recordCount_ = -1;
}

void Query::clearSql()
{
    sql_.clear();
    bindings_.clear();
}

void Query::addSql(const QString& line)
{
    sql_ << line;
}

QSqlQuery Query::execute() const
{
    QSqlQuery query(database_->connection());
    query.setForwardOnly(true);
    if (!query.prepare(sql_.join(u'\n')))
        database_->fail(query.lastError());
    for (const QVariant& value : bindings_)
        query.addBindValue(value);
    if (!query.exec())
        database_->fail(query.lastError());
    return query;
}

void Query::open()
{
    if (active())
        return;
    database_->open();
    recordCount_ = -1;
    start(execute());
}

int Query::recordCount()
{
    if (!active())
        throw DatabaseError(QStringLiteral("Cannot perform this operation on a closed dataset"));
    if (recordCount_ < 0) {
        // A forward cursor cannot count its own rows, so a second run of the statement does.
        QSqlQuery counting = execute();
        int rows = 0;
        while (counting.next())
            ++rows;
        if (counting.lastError().isValid())
            throw DatabaseError(errorText(counting.lastError()));
        recordCount_ = rows;
    }
    return recordCount_;
}

} // namespace platform

// Compiled here rather than in one shared object, so that a program links only the parts it uses.
#include "moc_Database.cpp"
