#include "platform/TextFile.h"

#include "platform/Errors.h"
#include "platform/FileWriting.h"

#include <QFile>
#include <QStringDecoder>

namespace platform {

namespace {

// One pass in place: QString::replace of "\r\n" moves the rest of the text again for every
// thousand breaks, which made large files cost the square of their size.
QString normaliseLineBreaks(QString text)
{
    if (!text.contains(u'\r'))
        return text;
    QChar* characters = text.data();
    const qsizetype size = text.size();
    qsizetype to = 0;
    for (qsizetype from = 0; from < size; ++from) {
        if (characters[from] == u'\r') {
            characters[to++] = u'\n';
            if (from + 1 < size && characters[from + 1] == u'\n')
                ++from;
        } else {
            characters[to++] = characters[from];
        }
    }
    text.truncate(to);
    return text;
}

} // namespace

QString decodeText(const QByteArray& bytes)
{
    QString text;
    // Checked before decoding, so that a Windows-1250 file is not decoded twice.
    if (QByteArrayView(bytes).isValidUtf8()) {
        const qsizetype byteOrderMark = bytes.startsWith("\xEF\xBB\xBF") ? 3 : 0;
        text = QString::fromUtf8(QByteArrayView(bytes).sliced(byteOrderMark));
    } else {
        // Qt has this code page through ICU only; without it the text could not be read right.
        QStringDecoder windows1250("windows-1250");
        if (!windows1250.isValid())
            throw Error(QStringLiteral("The Windows-1250 encoding is not available"));
        text = windows1250(bytes);
    }
    return normaliseLineBreaks(std::move(text));
}

QString readTextFile(const QString& fileName)
{
    QFile file(fileName);
    if (!file.open(QIODevice::ReadOnly))
        throw FileOpenError(fileName, file.errorString());
    const QByteArray bytes = file.readAll();
    if (file.error() != QFileDevice::NoError)
        throw FileOpenError(fileName, file.errorString());
    return decodeText(bytes);
}

void writeTextFile(const QString& fileName, const QString& text)
{
    writeWholeFile(fileName, normaliseLineBreaks(text).toUtf8());
}

} // namespace platform
