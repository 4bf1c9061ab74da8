#include "platform/TextFile.h"

#include "platform/Errors.h"

#include <QFile>
#include <QSaveFile>
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
    const QByteArray bytes = normaliseLineBreaks(text).toUtf8();
    QSaveFile file(fileName);
    // Unbuffered: Qt 6.4's commit() reports success even when flushing its own buffer failed
    // half-way (a full disc) and would put a truncated file in place of the old one.
    if (!file.open(QIODevice::WriteOnly | QIODevice::Unbuffered))
        throw FileCreateError(fileName, file.errorString());
    // A short write is retried, so that the system says why the rest does not fit. Leaving
    // without commit() throws the new file away and keeps the old one.
    for (qint64 written = 0; written < bytes.size();) {
        const qint64 count = file.write(bytes.constData() + written, bytes.size() - written);
        if (count <= 0)
            throw FileCreateError(fileName, file.errorString());
        written += count;
    }
    if (!file.commit())
        throw FileCreateError(fileName, file.errorString());
}

} // namespace platform
