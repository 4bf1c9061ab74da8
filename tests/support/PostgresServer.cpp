#include "PostgresServer.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QStandardPaths>
#include <QVersionNumber>
#include <arpa/inet.h>
#include <netinet/in.h>
#include <pwd.h>
#include <stdexcept>
#include <sys/socket.h>
#include <unistd.h>

namespace testing {

namespace {

QString findBinDir()
{
    const QString named = qEnvironmentVariable("PLATFORM_PG_BINDIR");
    if (!named.isEmpty())
        return named;
    // Debian keeps the server's programs out of PATH, under its major version.
    QProcess config;
    config.start(QStringLiteral("pg_config"), { QStringLiteral("--bindir") });
    if (config.waitForFinished(10000) && config.exitCode() == 0) {
        const QString dir = QString::fromLocal8Bit(config.readAllStandardOutput()).trimmed();
        if (QFileInfo(dir + QStringLiteral("/pg_ctl")).isExecutable())
            return dir;
    }
    QVersionNumber newest;
    QString found;
    const QDir versions(QStringLiteral("/usr/lib/postgresql"));
    for (const QString& version : versions.entryList(QDir::Dirs | QDir::NoDotAndDotDot)) {
        const QString dir = versions.filePath(version + QStringLiteral("/bin"));
        const QVersionNumber number = QVersionNumber::fromString(version);
        if (QFileInfo(dir + QStringLiteral("/pg_ctl")).isExecutable() && number > newest) {
            newest = number;
            found = dir;
        }
    }
    if (!found.isEmpty())
        return found;
    const QString onPath = QStandardPaths::findExecutable(QStringLiteral("pg_ctl"));
    return onPath.isEmpty() ? QString() : QFileInfo(onPath).absolutePath();
}

int freePort()
{
    const int fd = ::socket(AF_INET, SOCK_STREAM, 0);
    if (fd < 0)
        return 0;
    sockaddr_in address {};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    socklen_t length = sizeof address;
    int port = 0;
    if (::bind(fd, reinterpret_cast<sockaddr*>(&address), sizeof address) == 0
        && ::getsockname(fd, reinterpret_cast<sockaddr*>(&address), &length) == 0)
        port = ntohs(address.sin_port);
    ::close(fd);
    return port;
}

QString quoted(const QString& text)
{
    return u'\'' + QString(text).replace(u'\'', QStringLiteral("''")) + u'\'';
}

QString identifier(const QString& name)
{
    return u'"' + QString(name).replace(u'"', QStringLiteral("\"\"")) + u'"';
}

} // namespace

PostgresServer::PostgresServer() = default;

PostgresServer::~PostgresServer()
{
    stop();
}

bool PostgresServer::required()
{
    return qEnvironmentVariableIntValue("REQUIRE_POSTGRES_TESTS") != 0;
}

QString PostgresServer::socketFolder() const
{
    return dir_ ? dir_->path() : QString();
}

QString PostgresServer::binary(const QString& name) const
{
    return binDir_ + u'/' + name;
}

bool PostgresServer::run(const QString& program, const QStringList& arguments, QString* output, int timeoutMs) const
{
    QProcess process;
    process.setProcessChannelMode(QProcess::MergedChannels);
    if (asPostgresUser_)
        process.start(QStringLiteral("runuser"),
            QStringList { QStringLiteral("-u"), superuser(), QStringLiteral("--") } << program << arguments);
    else
        process.start(program, arguments);
    const bool finished = process.waitForFinished(timeoutMs);
    if (output)
        *output = QString::fromLocal8Bit(process.readAll());
    if (!finished) {
        process.kill();
        process.waitForFinished();
        return false;
    }
    return process.exitStatus() == QProcess::NormalExit && process.exitCode() == 0;
}

bool PostgresServer::initialise()
{
    binDir_ = findBinDir();
    if (binDir_.isEmpty() || !QFileInfo(binary(QStringLiteral("initdb"))).isExecutable()) {
        reason_ = QStringLiteral("PostgreSQL server binaries (initdb, pg_ctl) not found: install the postgresql "
                                 "package or set PLATFORM_PG_BINDIR");
        return false;
    }
    dir_ = std::make_unique<QTemporaryDir>(QDir::tempPath() + QStringLiteral("/pgtest-XXXXXX"));
    if (!dir_->isValid()) {
        reason_ = QStringLiteral("Cannot create a temporary folder for the PostgreSQL server");
        return false;
    }
    if (::geteuid() == 0) {
        const passwd* user = ::getpwnam("postgres");
        if (!user) {
            reason_ = QStringLiteral("Running as root, but there is no \"postgres\" user to run the server as");
            return false;
        }
        if (::chown(QFile::encodeName(dir_->path()).constData(), user->pw_uid, user->pw_gid) != 0) {
            reason_ = QStringLiteral("Cannot give the server's folder to the postgres user");
            return false;
        }
        asPostgresUser_ = true;
    }
    QString output;
    // No fsync: the cluster lives only as long as the test.
    if (!run(binary(QStringLiteral("initdb")),
            { QStringLiteral("-D"), dir_->filePath(QStringLiteral("data")), QStringLiteral("-U"), superuser(),
                QStringLiteral("-E"), QStringLiteral("UTF8"), QStringLiteral("--locale=C.UTF-8"),
                QStringLiteral("--auth=trust"), QStringLiteral("--no-sync") },
            &output, 120000)) {
        reason_ = QStringLiteral("initdb failed: %1").arg(output);
        return false;
    }
    QFile hba(dir_->filePath(QStringLiteral("data/pg_hba.conf")));
    if (!hba.open(QIODevice::WriteOnly | QIODevice::Truncate)) {
        reason_ = QStringLiteral("Cannot write pg_hba.conf");
        return false;
    }
    hba.write("local all all trust\nhost all all 127.0.0.1/32 scram-sha-256\n");
    hba.close();
    initialised_ = true;
    return true;
}

bool PostgresServer::start()
{
    if (running_)
        return true;
    if (!initialised_ && !initialise())
        return false;
    // Another program may take the port between our look and the server's bind: try a few. A
    // restart keeps its port, since clients have it in their aliases.
    QString output;
    for (int attempt = 0; attempt < 3; ++attempt) {
        if (port_ == 0 || attempt > 0)
            port_ = freePort();
        const QString options
            = QStringLiteral("-p %1 -k %2 -c listen_addresses=127.0.0.1 -c fsync=off -c synchronous_commit=off "
                             "-c full_page_writes=off -c max_connections=50")
                  .arg(port_)
                  .arg(dir_->path());
        if (run(binary(QStringLiteral("pg_ctl")),
                { QStringLiteral("start"), QStringLiteral("-w"), QStringLiteral("-t"), QStringLiteral("60"),
                    QStringLiteral("-D"), dir_->filePath(QStringLiteral("data")), QStringLiteral("-l"),
                    dir_->filePath(QStringLiteral("server.log")), QStringLiteral("-o"), options },
                &output, 90000)) {
            running_ = true;
            return true;
        }
    }
    QFile log(dir_->filePath(QStringLiteral("server.log")));
    log.open(QIODevice::ReadOnly);
    reason_ = QStringLiteral("The PostgreSQL server did not start: %1 %2")
                  .arg(output, QString::fromLocal8Bit(log.readAll()));
    return false;
}

void PostgresServer::stop()
{
    if (!running_)
        return;
    run(binary(QStringLiteral("pg_ctl")),
        { QStringLiteral("stop"), QStringLiteral("-w"), QStringLiteral("-m"), QStringLiteral("fast"),
            QStringLiteral("-D"), dir_->filePath(QStringLiteral("data")) },
        nullptr, 60000);
    running_ = false;
}

QString PostgresServer::psql(const QString& database, const QString& sql) const
{
    QProcess process;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.remove(QStringLiteral("PGPASSFILE"));
    process.setProcessEnvironment(environment);
    process.start(binary(QStringLiteral("psql")),
        { QStringLiteral("-X"), QStringLiteral("-q"), QStringLiteral("-A"), QStringLiteral("-t"), QStringLiteral("-v"),
            QStringLiteral("ON_ERROR_STOP=1"), QStringLiteral("-h"), socketFolder(), QStringLiteral("-p"),
            QString::number(port_), QStringLiteral("-U"), superuser(), QStringLiteral("-d"), database,
            QStringLiteral("-c"), sql });
    if (!process.waitForFinished(120000) || process.exitStatus() != QProcess::NormalExit || process.exitCode() != 0)
        throw std::runtime_error(QStringLiteral("psql failed on \"%1\": %2")
                                     .arg(sql, QString::fromLocal8Bit(process.readAllStandardError()))
                                     .toStdString());
    return QString::fromUtf8(process.readAllStandardOutput()).trimmed();
}

void PostgresServer::createDatabase(const QString& name, const QString& owner) const
{
    psql(QStringLiteral("postgres"),
        QStringLiteral("create database %1 owner %2 encoding 'UTF8' template template0")
            .arg(identifier(name), identifier(owner.isEmpty() ? superuser() : owner)));
}

void PostgresServer::createRole(const QString& name, const QString& password) const
{
    psql(QStringLiteral("postgres"),
        QStringLiteral("create role %1 login password %2").arg(identifier(name), quoted(password)));
}

QString PostgresServer::aliasEntry(const QString& aliasName, const QString& database, const QString& user) const
{
    return QStringLiteral("[%1]\nDRIVER=POSTGRESQL\nHOST=%2\nPORT=%3\nDATABASE=%4\nUSER=%5\n")
        .arg(aliasName, socketFolder())
        .arg(port_)
        .arg(database, user);
}

} // namespace testing
