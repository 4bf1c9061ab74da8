#include "platform/database/CaseMapping.h"

#include <cstdint>

namespace platform {

namespace {

// Length of the UTF-8 sequence starting at `i` and its code point, or 0 when it is malformed.
int decodeUtf8(std::string_view text, std::size_t i, char32_t& codePoint)
{
    const auto byte = [&](std::size_t k) { return static_cast<std::uint8_t>(text[k]); };
    const std::uint8_t lead = byte(i);
    int length = 0;
    if (lead < 0x80) {
        codePoint = lead;
        return 1;
    }
    if ((lead & 0xE0) == 0xC0) {
        length = 2;
        codePoint = lead & 0x1F;
    } else if ((lead & 0xF0) == 0xE0) {
        length = 3;
        codePoint = lead & 0x0F;
    } else if ((lead & 0xF8) == 0xF0) {
        length = 4;
        codePoint = lead & 0x07;
    } else {
        return 0;
    }
    if (i + static_cast<std::size_t>(length) > text.size())
        return 0;
    for (int k = 1; k < length; ++k) {
        const std::uint8_t next = byte(i + static_cast<std::size_t>(k));
        if ((next & 0xC0) != 0x80)
            return 0;
        codePoint = (codePoint << 6) | (next & 0x3F);
    }
    return length;
}

int utf8Length(char16_t c)
{
    return c < 0x80 ? 1 : c < 0x800 ? 2 : 3;
}

void appendUtf8(std::string& out, char16_t c)
{
    if (c < 0x80) {
        out += static_cast<char>(c);
    } else if (c < 0x800) {
        out += static_cast<char>(0xC0 | (c >> 6));
        out += static_cast<char>(0x80 | (c & 0x3F));
    } else {
        out += static_cast<char>(0xE0 | (c >> 12));
        out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (c & 0x3F));
    }
}

} // namespace

CaseMapping::CaseMapping(std::initializer_list<std::pair<char16_t, char16_t>> pairs)
    : table_(0x10000)
{
    for (std::size_t c = 0; c < table_.size(); ++c)
        table_[c] = static_cast<char16_t>(c);
    for (const auto& [from, to] : pairs) {
        table_[from] = to;
        sameUtf8Length_ = sameUtf8Length_ && utf8Length(from) == utf8Length(to);
    }
}

QString CaseMapping::apply(QStringView text) const
{
    QString result(text.size(), Qt::Uninitialized);
    QChar* out = result.data();
    for (qsizetype i = 0; i < text.size(); ++i)
        out[i] = QChar(map(text[i].unicode()));
    return result;
}

bool CaseMapping::applyUtf8InPlace(std::string_view text, std::string& out) const
{
    bool changed = false;
    std::size_t i = 0;
    while (i < text.size()) {
        const auto lead = static_cast<std::uint8_t>(text[i]);
        char32_t codePoint = lead;
        const int length = lead < 0x80 ? 1 : decodeUtf8(text, i, codePoint);
        if (length == 0 || length == 4) {
            i += length == 0 ? 1 : 4;
            continue;
        }
        const char16_t mapped = table_[static_cast<char16_t>(codePoint)];
        if (mapped != codePoint) {
            if (!changed) {
                out.assign(text);
                changed = true;
            }
            std::string encoded;
            if (mapped < 0x80) {
                out[i] = static_cast<char>(mapped);
            } else {
                appendUtf8(encoded, mapped);
                out.replace(i, encoded.size(), encoded);
            }
        }
        i += static_cast<std::size_t>(length);
    }
    return changed;
}

bool CaseMapping::applyUtf8(std::string_view text, std::string& out) const
{
    // Scanning every stored value of a catalogue calls this millions of times per search.
    if (sameUtf8Length_)
        return applyUtf8InPlace(text, out);
    bool changed = false;
    std::size_t i = 0;
    while (i < text.size()) {
        char32_t codePoint = 0;
        int length = decodeUtf8(text, i, codePoint);
        const bool mappable = length > 0 && length < 4 && codePoint < 0x10000;
        const char16_t mapped = mappable ? map(static_cast<char16_t>(codePoint)) : char16_t(0);
        if (length == 0)
            length = 1;
        if (mappable && mapped != codePoint) {
            if (!changed) {
                // Most stored values need no change, so the copy starts only at the first change.
                out.assign(text.substr(0, i));
                changed = true;
            }
            appendUtf8(out, mapped);
        } else if (changed) {
            out.append(text.substr(i, static_cast<std::size_t>(length)));
        }
        i += static_cast<std::size_t>(length);
    }
    return changed;
}

} // namespace platform
