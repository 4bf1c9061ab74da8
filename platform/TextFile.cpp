#include "platform/TextFile.h"

#include "platform/Errors.h"
#include "platform/FileWriting.h"

#include <QFile>
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
    if (utf8.hasError())
        text = decodeWindows1250(bytes);
    return normaliseLineBreaks(std::move(text));
}

QString decodeWindows1250(const QByteArray& bytes)
{
    // Qt has this code page through ICU only; without it the text could not be read right.
    QStringDecoder windows1250("windows-1250");
    if (!windows1250.isValid())
        throw Error(QStringLiteral("The Windows-1250 encoding is not available"));
    return windows1250(bytes);
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
