#include "platform/IntegerConversion.h"

#include "platform/Errors.h"

namespace platform {

namespace {

int digitValue(QChar c, int base)
{
    const char16_t u = c.unicode();
    int value = -1;
    if (u >= u'0' && u <= u'9')
        value = u - u'0';
    else if (base == 16 && u >= u'a' && u <= u'f')
        value = u - u'a' + 10;
    else if (base == 16 && u >= u'A' && u <= u'F')
        value = u - u'A' + 10;
    return value;
}

} // namespace

std::optional<std::int32_t> tryParseInteger(const QString& text)
{
    qsizetype i = 0;
    while (i < text.size() && text.at(i) == u' ')
        ++i;

    bool negative = false;
    int base = 10;
    if (i < text.size() && text.at(i) == u'$') {
        base = 16;
        ++i;
    } else if (i < text.size() && (text.at(i) == u'+' || text.at(i) == u'-')) {
        negative = text.at(i) == u'-';
        ++i;
    }

    if (i == text.size())
        return std::nullopt;

    // One more than INT32_MAX, so that the negative limit is reachable.
    const std::int64_t limit = negative ? std::int64_t{1} << 31 : (std::int64_t{1} << 31) - 1;
    std::int64_t magnitude = 0;
    for (; i < text.size(); ++i) {
        const int digit = digitValue(text.at(i), base);
        if (digit < 0)
            return std::nullopt;
        magnitude = magnitude * base + digit;
        if (magnitude > limit)
            return std::nullopt;
    }
    return static_cast<std::int32_t>(negative ? -magnitude : magnitude);
}

std::int32_t parseInteger(const QString& text)
{
    if (const auto value = tryParseInteger(text))
        return *value;
    throw ConvertError(text);
}

} // namespace platform
