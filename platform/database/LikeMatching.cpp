#include "platform/database/LikeMatching.h"

namespace platform {

namespace {

bool sameCharacter(std::string_view a, std::string_view b)
{
    if (a.size() == 1 && b.size() == 1) {
        // SQLite's LIKE folds the case of ASCII letters only.
        const auto fold = [](char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; };
        return fold(a[0]) == fold(b[0]);
    }
    return a == b;
}

} // namespace

std::size_t utf8CharacterLength(std::string_view text, std::size_t at)
{
    const auto lead = static_cast<unsigned char>(text[at]);
    const std::size_t length = lead < 0xC0 ? 1 : lead < 0xE0 ? 2 : lead < 0xF0 ? 3 : 4;
    std::size_t available = 1;
    while (available < length && at + available < text.size()
        && (static_cast<unsigned char>(text[at + available]) & 0xC0) == 0x80)
        ++available;
    return available;
}

bool likeMatches(std::string_view pattern, std::string_view text)
{
    // Only the latest "%" is ever tried again, one character further along the text: whatever an
    // earlier "%" would take instead, the latest one can take as well. So a failed attempt costs
    // at most one walk over the pattern, and there is at most one per character of the text.
    std::size_t p = 0;
    std::size_t t = 0;
    std::size_t afterPercent = std::string_view::npos; // pattern position after the latest "%"
    std::size_t percentTakesUpTo = 0; // where the text resumes when that "%" takes one more
    while (t < text.size()) {
        if (p < pattern.size() && pattern[p] == '%') {
            afterPercent = ++p;
            percentTakesUpTo = t;
            continue;
        }
        if (p < pattern.size()) {
            const std::size_t patternLength = utf8CharacterLength(pattern, p);
            const std::size_t textLength = utf8CharacterLength(text, t);
            if (pattern[p] == '_' || sameCharacter(pattern.substr(p, patternLength), text.substr(t, textLength))) {
                p += patternLength;
                t += textLength;
                continue;
            }
        }
        if (afterPercent == std::string_view::npos)
            return false;
        percentTakesUpTo += utf8CharacterLength(text, percentTakesUpTo);
        p = afterPercent;
        t = percentTakesUpTo;
    }
    while (p < pattern.size() && pattern[p] == '%')
        ++p;
    return p == pattern.size();
}

} // namespace platform
