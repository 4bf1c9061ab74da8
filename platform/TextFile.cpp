#include "platform/TextFile.h"

#include "platform/Errors.h"
#include "platform/FileReading.h"
#include "platform/FileWriting.h"

#include <QStringDecoder>

namespace platform {

namespace {

QString normaliseLineBreaks(QString text)
{
    text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    text.replace(u'\r', u'\n');
    return text;
}

} // namespace

QString decodeText(const QByteArray& bytes)
{
    QStringDecoder utf8(QStringConverter::Utf8, QStringConverter::Flag::Stateless);
    QString text = utf8(bytes);
    if (utf8.hasError()) {
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
    return decodeText(readWholeFile(fileName, largestTextFile));
}

void writeTextFile(const QString& fileName, const QString& text)
{
    writeWholeFile(fileName, normaliseLineBreaks(text).toUtf8());
}

} // namespace platform
