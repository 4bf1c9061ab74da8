// Damages an SQLite file the way a failing disc does: random bytes over the pages of its second
// half, while its first page, which holds the schema, stays as it was. The same bytes every time.
#pragma once

#include <QFile>
#include <QRandomGenerator>
#include <QString>

namespace testing {

inline bool damageSecondHalf(const QString& fileName)
{
    constexpr qint64 page = 4096; // SQLite's default page size
    QFile file(fileName);
    if (!file.open(QIODevice::ReadWrite) || file.size() < 8 * page)
        return false;
    QRandomGenerator random(42);
    const qint64 pages = file.size() / page;
    for (qint64 at = pages / 2; at < pages; ++at) {
        QByteArray noise(page, Qt::Uninitialized);
        for (char& byte : noise)
            byte = static_cast<char>(random.bounded(256));
        if (!file.seek(at * page) || file.write(noise) != page)
            return false;
    }
    return true;
}

} // namespace testing
