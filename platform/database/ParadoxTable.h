// A reader of Paradox table files (.db, with the memo file .mb beside them), the tables of the
// engine this one stands in for, through pxlib. It reads fields and records only: no indexes, no
// writing. Text fields are taken as Windows-1250, in which those tables were kept.
#pragma once

#include <QString>
#include <QStringList>
#include <QVariant>
#include <memory>

struct px_doc;

namespace platform {

class ParadoxTable {
public:
    // Opens the table; throws DatabaseError when it is missing or cannot be read.
    explicit ParadoxTable(const QString& fileName);
    ~ParadoxTable();
    ParadoxTable(const ParadoxTable&) = delete;
    ParadoxTable& operator=(const ParadoxTable&) = delete;

    const QString& fileName() const { return fileName_; }
    int recordCount() const;
    const QStringList& fieldNames() const { return fieldNames_; }
    // The index of the named field, without regard to case, or -1.
    int fieldIndex(const QString& name) const;

    // The values of one record, in field order: whole numbers as qlonglong, other numbers as
    // double, text decoded, an empty field as a null QVariant. Throws DatabaseError for a record
    // that cannot be read or a field type the reader does not know.
    QVariantList record(int index) const;

private:
    QString fileName_;
    px_doc* document_ = nullptr;
    QStringList fieldNames_;
    // Set by pxlib's error handler, for the message of the next failure.
    std::unique_ptr<QString> lastError_;
};

} // namespace platform
