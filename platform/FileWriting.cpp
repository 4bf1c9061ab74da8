#include "platform/FileWriting.h"

#include "platform/Errors.h"

#include <QSaveFile>

namespace platform {

void writeWholeFile(const QString& fileName, const QByteArray& data)
{
    QSaveFile file(fileName);
    // Unbuffered: Qt 6.4's commit() reports success even when flushing its own buffer failed
    // half-way (a full disc) and would put a truncated file in place of the old one.
    if (!file.open(QIODevice::WriteOnly | QIODevice::Unbuffered))
        throw FileCreateError(fileName, file.errorString());
    // A short write is retried, so that the system says why the rest does not fit. Leaving
    // without commit() throws the new file away and keeps the old one.
    for (qint64 written = 0; written < data.size();) {
        const qint64 count = file.write(data.constData() + written, data.size() - written);
        if (count <= 0)
            throw FileCreateError(fileName, file.errorString());
        written += count;
    }
    if (!file.commit())
        throw FileCreateError(fileName, file.errorString());
}

} // namespace platform
