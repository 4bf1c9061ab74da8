// Arbitrary bytes as the engine's alias file, then an alias stored in it twice, added and then
// replaced: every other alias reads back as before, the stored one reads back as stored, and a
// file that did not hold it yet keeps its bytes in front of the new entry. A wrong answer aborts.
#include "platform/database/DatabaseAliases.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <cstdint>
#include <cstdlib>

namespace {

using platform::DatabaseAlias;

std::vector<DatabaseAlias> othersThan(const std::vector<DatabaseAlias>& aliases, const QString& name)
{
    std::vector<DatabaseAlias> others;
    for (const DatabaseAlias& alias : aliases)
        if (alias.name.compare(name, Qt::CaseInsensitive) != 0)
            others.push_back(alias);
    return others;
}

bool same(const std::vector<DatabaseAlias>& a, const std::vector<DatabaseAlias>& b)
{
    if (a.size() != b.size())
        return false;
    for (std::size_t i = 0; i < a.size(); ++i)
        if (a[i].name != b[i].name || a[i].driver != b[i].driver || a[i].path != b[i].path)
            return false;
    return true;
}

QByteArray bytesOf(const QString& fileName)
{
    QFile file(fileName);
    if (!file.open(QIODevice::ReadOnly))
        std::abort();
    return file.readAll();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    // A folder in memory where there is one: every write is synced, which a disc makes slow.
    static QTemporaryDir dir(QDir(QStringLiteral("/dev/shm")).exists()
            ? QStringLiteral("/dev/shm/fuzz_alias_file-XXXXXX")
            : QDir::tempPath() + QStringLiteral("/fuzz_alias_file-XXXXXX"));
    const QString fileName = dir.filePath(QStringLiteral("aliases.conf"));
    const QByteArray before(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    {
        QFile file(fileName);
        if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate) || file.write(before) != before.size())
            std::abort();
    }
    const platform::AliasFile aliases(fileName);
    const QString name = QStringLiteral("Zintra Search");
    const std::vector<DatabaseAlias> others = othersThan(aliases.aliases(), name);
    const bool present = aliases.find(name).has_value();

    const DatabaseAlias first { name, QStringLiteral("SQLITE"), QStringLiteral("/home/łucja/bazadanych.sqlite") };
    aliases.store(first);
    const std::optional<DatabaseAlias> stored = aliases.find(name);
    if (!stored || stored->driver != first.driver || stored->path != first.path)
        std::abort();
    if (!same(othersThan(aliases.aliases(), name), others))
        std::abort();
    if (!present && !bytesOf(fileName).startsWith(before))
        std::abort();

    const DatabaseAlias second { name, QStringLiteral("SQLITE"), QStringLiteral("/srv/katalog.sqlite") };
    aliases.store(second);
    const std::optional<DatabaseAlias> replaced = aliases.find(name);
    if (!replaced || replaced->path != second.path || !same(othersThan(aliases.aliases(), name), others))
        std::abort();
    return 0;
}
