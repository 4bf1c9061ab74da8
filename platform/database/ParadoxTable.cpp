#include "platform/database/ParadoxTable.h"

#include "platform/Errors.h"
#include "platform/TextFile.h"

#include <QFile>
#include <QFileInfo>
// pxlib's header declares C functions without saying so.
extern "C" {
#include <paradox.h>
}
#include <vector>

namespace platform {

namespace {

void recordError(pxdoc_t* /*document*/, int /*level*/, const char* message, void* data)
{
    *static_cast<QString*>(data) = QString::fromLocal8Bit(message).trimmed();
}

// pxlib hands out text in memory of its own, freed through the document.
class PxText {
public:
    PxText(pxdoc_t* document)
        : document_(document)
    {
    }
    ~PxText()
    {
        if (text_)
            document_->free(document_, text_);
    }
    PxText(const PxText&) = delete;
    PxText& operator=(const PxText&) = delete;
    char** out() { return &text_; }
    QByteArray bytes(int length) const { return text_ ? QByteArray(text_, length) : QByteArray(); }
    QByteArray bytes() const { return text_ ? QByteArray(text_) : QByteArray(); }

private:
    pxdoc_t* document_;
    char* text_ = nullptr;
};

bool isMemo(char type)
{
    return type == pxfMemoBLOb || type == pxfFmtMemoBLOb;
}

} // namespace

ParadoxTable::ParadoxTable(const QString& fileName)
    : fileName_(fileName)
    , lastError_(std::make_unique<QString>())
{
    const auto fail = [&](const QString& reason) {
        throw DatabaseError(QStringLiteral("Cannot read the Paradox table \"%1\": %2").arg(fileName_, reason));
    };
    if (!QFileInfo(fileName).isFile())
        fail(QStringLiteral("the file does not exist"));
    document_ = PX_new3(&recordError, nullptr, nullptr, nullptr, lastError_.get());
    if (!document_)
        fail(QStringLiteral("out of memory"));
    if (PX_open_file(document_, QFile::encodeName(fileName).constData()) < 0) {
        const QString reason = lastError_->isEmpty() ? QStringLiteral("not a Paradox table") : *lastError_;
        PX_delete(document_);
        document_ = nullptr;
        fail(reason);
    }
    const int count = PX_get_num_fields(document_);
    bool memos = false;
    for (int i = 0; i < count; ++i) {
        const pxfield_t* field = PX_get_field(document_, i);
        fieldNames_ << QString::fromLatin1(field->px_fname);
        memos = memos || isMemo(field->px_ftype);
    }
    // Long texts live in the memo file of the same name, when the table has one.
    if (memos) {
        const QFileInfo table(fileName);
        for (const QString& suffix : { QStringLiteral(".mb"), QStringLiteral(".MB") }) {
            const QString memoFile = table.path() + u'/' + table.completeBaseName() + suffix;
            if (QFileInfo(memoFile).isFile()) {
                PX_set_blob_file(document_, QFile::encodeName(memoFile).constData());
                break;
            }
        }
    }
}

ParadoxTable::~ParadoxTable()
{
    if (document_) {
        PX_close(document_);
        PX_delete(document_);
    }
}

int ParadoxTable::recordCount() const
{
    return PX_get_num_records(document_);
}

int ParadoxTable::fieldIndex(const QString& name) const
{
    for (qsizetype i = 0; i < fieldNames_.size(); ++i)
        if (fieldNames_.at(i).compare(name, Qt::CaseInsensitive) == 0)
            return static_cast<int>(i);
    return -1;
}

QVariantList ParadoxTable::record(int index) const
{
    const auto fail = [&](const QString& reason) {
        throw DatabaseError(
            QStringLiteral("Cannot read record %1 of the Paradox table \"%2\": %3").arg(index).arg(fileName_, reason));
    };
    std::vector<char> data(static_cast<std::size_t>(PX_get_recordsize(document_)));
    lastError_->clear();
    if (index < 0 || index >= recordCount() || !PX_get_record(document_, index, data.data()))
        fail(lastError_->isEmpty() ? QStringLiteral("no such record") : *lastError_);

    QVariantList values;
    int offset = 0;
    for (int i = 0; i < PX_get_num_fields(document_); ++i) {
        const pxfield_t* field = PX_get_field(document_, i);
        char* at = data.data() + offset;
        offset += field->px_flen;
        QVariant value;
        switch (field->px_ftype) {
        case pxfAlpha: {
            PxText text(document_);
            if (PX_get_data_alpha(document_, at, field->px_flen, text.out()) > 0)
                value = decodeWindows1250(text.bytes());
            break;
        }
        case pxfMemoBLOb:
        case pxfFmtMemoBLOb: {
            PxText text(document_);
            int modification = 0;
            int size = 0;
            if (PX_get_data_blob(document_, at, field->px_flen, &modification, &size, text.out()) > 0)
                value = decodeWindows1250(text.bytes(size));
            break;
        }
        case pxfShort: {
            short number = 0;
            if (PX_get_data_short(document_, at, field->px_flen, &number) > 0)
                value = static_cast<qlonglong>(number);
            break;
        }
        case pxfLong:
        case pxfAutoInc: {
            long number = 0;
            if (PX_get_data_long(document_, at, field->px_flen, &number) > 0)
                value = static_cast<qlonglong>(number);
            break;
        }
        case pxfNumber:
        case pxfCurrency: {
            double number = 0;
            if (PX_get_data_double(document_, at, field->px_flen, &number) > 0)
                value = number;
            break;
        }
        default:
            fail(QStringLiteral("field %1 is of a type this reader does not know (%2)")
                     .arg(fieldNames_.at(i))
                     .arg(static_cast<int>(field->px_ftype)));
        }
        values << value;
    }
    return values;
}

} // namespace platform
