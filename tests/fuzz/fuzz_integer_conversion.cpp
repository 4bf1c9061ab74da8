// Arbitrary text as a typed number: the conversion never crashes, and whenever it accepts a text
// the value it gives is the one the text spells.
#include "platform/IntegerConversion.h"

#include <QString>
#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const QString text = QString::fromUtf8(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    const std::optional<std::int32_t> value = platform::tryParseInteger(text);
    if (!value)
        return 0;
    // An accepted text is blanks, then a decimal or "$" hexadecimal number of the same value.
    qsizetype blanks = 0;
    while (text.at(blanks) == u' ')
        ++blanks;
    const QString number = text.mid(blanks);
    bool ok = false;
    const qlonglong expected = number.startsWith(u'$') ? number.mid(1).toLongLong(&ok, 16) : number.toLongLong(&ok, 10);
    if (!ok || expected != *value)
        std::abort();
    return 0;
}
