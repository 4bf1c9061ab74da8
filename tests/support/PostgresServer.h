// A real PostgreSQL server for tests: initdb and pg_ctl of the machine's server package run into a
// temporary folder, on a free port, with the Unix socket in that folder; stopped and removed at
// the end. As root, the server runs as the "postgres" user, since it refuses to run as root.
// It is not a pool: each test program starts its own.
#pragma once

#include <QString>
#include <QStringList>
#include <QTemporaryDir>
#include <memory>

namespace testing {

class PostgresServer {
public:
    PostgresServer();
    ~PostgresServer();
    PostgresServer(const PostgresServer&) = delete;
    PostgresServer& operator=(const PostgresServer&) = delete;

    // Creates the cluster on the first call and starts the server. Returns false, with the reason
    // in reason(), when the server binaries or the postgres user are missing or it fails to start.
    bool start();
    // A fast shutdown: open connections are cut, as when a server goes down under its clients.
    void stop();
    bool running() const { return running_; }
    const QString& reason() const { return reason_; }

    QString socketFolder() const;
    int port() const { return port_; }
    // Local connections through the socket are trusted; TCP connections on 127.0.0.1 need a password.
    static QString superuser() { return QStringLiteral("postgres"); }

    // Runs `sql` through psql as the superuser; returns its unaligned output without a header, or
    // throws std::runtime_error with psql's message.
    QString psql(const QString& database, const QString& sql) const;
    // A new empty UTF-8 database, owned by `owner` (the superuser when empty).
    void createDatabase(const QString& name, const QString& owner = QString()) const;
    // A login role with a password, for connections over TCP.
    void createRole(const QString& name, const QString& password) const;

    // An alias file section for `database` on this server, through its socket folder.
    QString aliasEntry(const QString& aliasName, const QString& database, const QString& user = superuser()) const;

    // True when the environment says PostgreSQL tests must run (CI): a missing server then fails
    // the test instead of skipping it.
    static bool required();

private:
    QString binary(const QString& name) const;
    bool run(const QString& program, const QStringList& arguments, QString* output, int timeoutMs) const;
    bool initialise();

    std::unique_ptr<QTemporaryDir> dir_;
    QString binDir_;
    QString reason_;
    int port_ = 0;
    bool asPostgresUser_ = false;
    bool initialised_ = false;
    bool running_ = false;
};

} // namespace testing

// Skips the rest of a test (or of the whole program, from initTestCase) when no server can be
// started, or fails it when the environment requires the PostgreSQL tests.
#define REQUIRE_POSTGRES(server)                                                                                       \
    do {                                                                                                               \
        if (!(server).running() && !(server).start()) {                                                                \
            if (testing::PostgresServer::required())                                                                   \
                QFAIL(qPrintable((server).reason()));                                                                  \
            QSKIP(qPrintable((server).reason()));                                                                      \
        }                                                                                                              \
    } while (false)
