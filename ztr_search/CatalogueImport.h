// Taking over a catalogue kept by the old database engine: its Paradox tables t_plyty.db and
// t_programy.db, copied with their disc ids into the catalogue of an alias, all or nothing. It is
// not a merge: a catalogue that already holds any of the ids is left as it is.
#pragma once

#include <QString>
#include <QVariant>
#include <functional>
#include <vector>

namespace platform {
class Database;
}

struct ImportedDisc {
    int id;
    QString name;
    QString serial;
};

struct ImportedProgram {
    int disc;
    QString name;
    QString description;
    QString installPath;
    QString requirements;
};

struct OldCatalogue {
    std::vector<ImportedDisc> discs;
    std::vector<ImportedProgram> programs;
};

// Reads t_plyty.db and t_programy.db of `folder` (names in any case). An empty text becomes ".",
// which stands for an empty value in the catalogue. Throws platform::DatabaseError for a missing
// table or field, a disc id that is no whole number from 1 to 65535, or a disc id given twice.
OldCatalogue readOldCatalogue(const QString& folder);

class CatalogueImport {
public:
    // Called as rows are written: how many of how many.
    std::function<void(qint64 done, qint64 total)> progress;

    // Writes `old` into the catalogue `database` (which it opens) in one transaction. Throws
    // platform::DatabaseError, with nothing written, when the catalogue already has any of the
    // disc ids or a write fails.
    void write(const OldCatalogue& old, platform::Database& database);
};
