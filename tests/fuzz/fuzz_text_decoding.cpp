// Arbitrary bytes as a text file: decoding never crashes, leaves no carriage return, keeps every
// line break as one "\n", gives at most one character per byte, and reads ASCII and valid UTF-8
// exactly as they are spelt. A wrong answer aborts.
#include "platform/TextFile.h"

#include <QByteArray>
#include <QString>
#include <QStringDecoder>
#include <cstdint>
#include <cstdlib>

namespace {

// Line breaks of any convention as "\n", on bytes.
QByteArray withNewlines(const QByteArray& bytes)
{
    QByteArray result;
    for (qsizetype i = 0; i < bytes.size(); ++i) {
        if (bytes[i] == '\r') {
            result += '\n';
            if (i + 1 < bytes.size() && bytes[i + 1] == '\n')
                ++i;
        } else {
            result += bytes[i];
        }
    }
    return result;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const QByteArray bytes(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    const QString text = platform::decodeText(bytes);
    if (text.contains(u'\r') || text.size() > bytes.size())
        std::abort();
    const QByteArray lines = withNewlines(bytes);
    if (text.count(u'\n') != lines.count('\n'))
        std::abort();

    bool ascii = true;
    for (const char c : bytes)
        ascii = ascii && static_cast<unsigned char>(c) < 0x80;
    if (ascii && text != QString::fromLatin1(lines))
        std::abort();

    // Valid UTF-8 comes back as the same bytes, a leading byte-order mark dropped.
    QStringDecoder strict(QStringConverter::Utf8, QStringConverter::Flag::Stateless);
    const QString asUtf8 = strict(bytes);
    if (!strict.hasError()) {
        const QByteArray expected = lines.startsWith("\xEF\xBB\xBF") ? lines.mid(3) : lines;
        if (text.toUtf8() != expected)
            std::abort();
    }
    return 0;
}
