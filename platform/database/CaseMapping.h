// A letter-case mapping given as a plain table of character pairs, applied to text held as QString
// or as UTF-8 bytes. It knows no locale and no special casing: characters it does not list stay.
#pragma once

#include <QString>
#include <QStringView>
#include <initializer_list>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace platform {

class CaseMapping {
public:
    // Pairs of (from, to) characters of the Basic Multilingual Plane.
    CaseMapping(std::initializer_list<std::pair<char16_t, char16_t>> pairs);

    char16_t map(char16_t c) const { return table_[c]; }
    QString apply(QStringView text) const;

    // Maps UTF-8 text into `out` and returns true, or returns false and leaves `out` untouched when
    // no character changes. Bytes that are not valid UTF-8 are copied as they are.
    bool applyUtf8(std::string_view text, std::string& out) const;

private:
    bool applyUtf8InPlace(std::string_view text, std::string& out) const;

    std::vector<char16_t> table_;
    // Every pair encodes to as many UTF-8 bytes on both sides, so text can be patched in place.
    bool sameUtf8Length_ = true;
};

} // namespace platform
