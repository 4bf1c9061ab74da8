// SQL's LIKE as SQLite matches it when no escape character is given, over UTF-8 text: "%" stands
// for any run of characters, "_" for exactly one, and ASCII letters match either case. It knows
// nothing of upper-casing or of the database; the SQLite driver calls it from its own functions.
#pragma once

#include <cstddef>
#include <string_view>

namespace platform {

// The bytes of the UTF-8 character that starts at `at`; a byte that starts no valid character,
// and each byte of a cut sequence, counts as one.
std::size_t utf8CharacterLength(std::string_view text, std::size_t at);

// Whether `text` is like `pattern`. Takes time of at most the product of their lengths, whatever
// the pattern holds.
bool likeMatches(std::string_view pattern, std::string_view text);

} // namespace platform
