#include "ztr_search/CatalogueImport.h"

#include "platform/Errors.h"
#include "platform/database/Database.h"
#include "platform/database/ParadoxTable.h"

#include <QDir>
#include <QSet>
#include <algorithm>
#include <cmath>

using platform::DatabaseError;

namespace {

constexpr int largestDiscId = 65535;

QString tableFile(const QString& folder, const QString& name)
{
    // Tables copied from Windows often come with upper-case names.
    const QDir dir(folder);
    for (const QString& entry : dir.entryList(QDir::Files))
        if (entry.compare(name, Qt::CaseInsensitive) == 0)
            return dir.filePath(entry);
    throw DatabaseError(QStringLiteral("W folderze %1 nie ma tabeli %2").arg(QDir::toNativeSeparators(folder), name));
}

std::vector<int> fieldIndexes(const platform::ParadoxTable& table, const QStringList& names)
{
    std::vector<int> indexes;
    for (const QString& name : names) {
        const int index = table.fieldIndex(name);
        if (index < 0)
            throw DatabaseError(QStringLiteral("Tabela %1 nie ma pola %2").arg(table.fileName(), name));
        indexes.push_back(index);
    }
    return indexes;
}

QString text(const QVariant& value)
{
    const QString found = value.toString();
    return found.isEmpty() ? QStringLiteral(".") : found;
}

int discId(const QVariant& value, const platform::ParadoxTable& table, int record)
{
    bool whole = false;
    qlonglong id = 0;
    if (value.typeId() == QMetaType::Double) {
        const double number = value.toDouble();
        whole = std::floor(number) == number && std::abs(number) < 1e9;
        id = static_cast<qlonglong>(number);
    } else if (!value.isNull()) {
        id = value.toLongLong(&whole);
    }
    if (!whole || id < 1 || id > largestDiscId)
        throw DatabaseError(QStringLiteral("Rekord %1 tabeli %2: numer płyty „%3” nie jest liczbą całkowitą od 1 do %4")
                                .arg(record + 1)
                                .arg(table.fileName(), value.toString())
                                .arg(largestDiscId));
    return static_cast<int>(id);
}

QString someIds(QList<int> ids)
{
    std::sort(ids.begin(), ids.end());
    QStringList shown;
    for (qsizetype i = 0; i < ids.size() && i < 10; ++i)
        shown << QString::number(ids.at(i));
    if (ids.size() > 10)
        shown << QStringLiteral("…");
    return shown.join(QStringLiteral(", "));
}

} // namespace

OldCatalogue readOldCatalogue(const QString& folder)
{
    OldCatalogue old;
    const platform::ParadoxTable discs(tableFile(folder, QStringLiteral("t_plyty.db")));
    const std::vector<int> discFields = fieldIndexes(
        discs, { QStringLiteral("id_plyty"), QStringLiteral("nazwa_plyty"), QStringLiteral("numer_seryjny") });
    QSet<int> seen;
    QList<int> twice;
    for (int record = 0; record < discs.recordCount(); ++record) {
        const QVariantList values = discs.record(record);
        const int id = discId(values.at(discFields[0]), discs, record);
        if (seen.contains(id))
            twice << id;
        seen.insert(id);
        old.discs.push_back({ id, text(values.at(discFields[1])), text(values.at(discFields[2])) });
    }
    // Two writers of the old engine could give two discs one id; which programs are whose is lost.
    if (!twice.isEmpty())
        throw DatabaseError(
            QStringLiteral("Tabela %1 daje te same numery kilku płytom: %2").arg(discs.fileName(), someIds(twice)));

    const platform::ParadoxTable programs(tableFile(folder, QStringLiteral("t_programy.db")));
    const std::vector<int> programFields = fieldIndexes(programs,
        { QStringLiteral("id_plyty"), QStringLiteral("nazwa_programu"), QStringLiteral("opis_programu"),
            QStringLiteral("instalacja"), QStringLiteral("wymagania") });
    old.programs.reserve(static_cast<std::size_t>(programs.recordCount()));
    for (int record = 0; record < programs.recordCount(); ++record) {
        const QVariantList values = programs.record(record);
        old.programs.push_back({ discId(values.at(programFields[0]), programs, record),
            text(values.at(programFields[1])), text(values.at(programFields[2])), text(values.at(programFields[3])),
            text(values.at(programFields[4])) });
    }
    return old;
}

void CatalogueImport::write(const OldCatalogue& old, platform::Database& database)
{
    database.open();
    QSqlDatabase& connection = database.connection();
    if (!connection.transaction())
        database.fail(connection.lastError());
    try {
        // Checked inside the transaction; a disc another writer adds meanwhile still meets the
        // unique disc id, and the whole import is rolled back.
        platform::Query existing(&database);
        existing.addSql(QStringLiteral("select id_plyty from t_plyty union select id_plyty from t_programy"));
        existing.open();
        QSet<int> present;
        for (; !existing.eof(); existing.next())
            present.insert(existing.field(0).asInteger());
        existing.close();
        QList<int> clashing;
        QSet<int> imported;
        for (const ImportedDisc& disc : old.discs)
            imported.insert(disc.id);
        for (const ImportedProgram& program : old.programs)
            imported.insert(program.disc);
        for (const int id : std::as_const(imported))
            if (present.contains(id))
                clashing << id;
        if (!clashing.isEmpty())
            throw DatabaseError(QStringLiteral("Katalog ma już płyty o numerach: %1").arg(someIds(clashing)));

        const qint64 total = static_cast<qint64>(old.discs.size() + old.programs.size());
        qint64 done = 0;
        const auto step = [&] {
            ++done;
            if (progress && (done % 256 == 0 || done == total))
                progress(done, total);
        };
        if (progress)
            progress(0, total);
        platform::Table discs(&database);
        discs.setTableName(QStringLiteral("t_plyty.db"));
        discs.open();
        for (const ImportedDisc& disc : old.discs) {
            discs.append();
            discs.setFieldValue(QStringLiteral("id_plyty"), disc.id);
            discs.setFieldValue(QStringLiteral("nazwa_plyty"), disc.name);
            discs.setFieldValue(QStringLiteral("numer_seryjny"), disc.serial);
            discs.post();
            step();
        }
        platform::Table programs(&database);
        programs.setTableName(QStringLiteral("t_programy.db"));
        programs.open();
        for (const ImportedProgram& program : old.programs) {
            programs.append();
            programs.setFieldValue(QStringLiteral("id_plyty"), program.disc);
            programs.setFieldValue(QStringLiteral("nazwa_programu"), program.name);
            programs.setFieldValue(QStringLiteral("opis_programu"), program.description);
            programs.setFieldValue(QStringLiteral("instalacja"), program.installPath);
            programs.setFieldValue(QStringLiteral("wymagania"), program.requirements);
            programs.post();
            step();
        }
        discs.close();
        programs.close();
        if (!database.connection().commit())
            database.fail(database.connection().lastError());
    } catch (...) {
        if (database.connected())
            database.connection().rollback();
        throw;
    }
}
