// The engine's alias file: named aliases, each naming a driver and where its database is. It is
// the engine's own configuration, shared by every program on the machine, not a program's settings.
// The file is named by PLATFORM_DB_ALIASES, or lies in the user's configuration folder.
#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <optional>
#include <vector>

namespace platform {

struct DatabaseAlias {
    QString name;
    QString driver; // "SQLITE" when the entry names none
    QString path; // the database file, for file-based drivers
    // Where a server's database is, for server drivers: a host name or the folder of a Unix
    // socket, a port (0: the client library's default), the database and the user to log in as.
    // A password never stands in the alias file: the server's client library finds its own.
    QString host = {};
    int port = 0;
    QString database = {};
    QString user = {};
};

class AliasFile {
public:
    explicit AliasFile(QString fileName);

    // $PLATFORM_DB_ALIASES, or "platform/db-aliases.conf" in the user's configuration folder.
    static QString defaultFileName();

    const QString& fileName() const { return fileName_; }

    // Names compare without regard to case. A missing file holds no alias; a file that is there
    // and cannot be read throws DatabaseError.
    std::optional<DatabaseAlias> find(const QString& name) const;
    std::vector<DatabaseAlias> aliases() const;

    // Adds the alias, or replaces the one of the same name. The file is written whole or not at
    // all, under a lock that other programs changing it respect; comments and other entries stay
    // byte for byte. Throws DatabaseError with the reason when the file cannot be read or written.
    void store(const DatabaseAlias& alias) const;
    // Adds the alias unless the file holds one of its name by then; returns the one it holds.
    DatabaseAlias storeIfMissing(const DatabaseAlias& alias) const;

private:
    std::optional<QByteArray> readBytes() const;
    DatabaseAlias change(const DatabaseAlias& alias, bool replace) const;

    QString fileName_;
};

// A column that a program searches by upper-cased LIKE, which a driver may index for it.
struct SearchedColumn {
    QString table;
    QString column;
};

// What the engine does for a program on a machine that does not know its alias yet: write the
// alias, pointing at `fileName` in the user's data folder, and create that database from `schema`
// when the file does not exist. A server database that holds no tables yet gets the same tables.
// The schema's statements keep to the SQL every driver understands: create table with integer and
// text columns, not null and unique, and create index.
struct DefaultAlias {
    QString name;
    QString fileName;
    QStringList schema;
    std::vector<SearchedColumn> searchedColumns = {};
};

// Registers the defaults for one alias name; the latest registration for a name counts.
void registerDefaultAlias(const DefaultAlias& defaults);
std::optional<DefaultAlias> defaultAliasFor(const QString& name);

// Where a default alias's database goes: <user data folder>/<alias name>/<file name>.
QString defaultDatabasePath(const DefaultAlias& defaults);

} // namespace platform
