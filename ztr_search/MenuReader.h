// The disc menu reader without its window: the lines of a menu file, and the two menu formats
// of the cover discs (the braced "nazwa=" format and the "Execute=" section format) turned into
// menu entries. It reads no file and knows no drive; the add-disc window does both.
#pragma once

#include "platform/Errors.h"

#include <QString>
#include <QStringList>
#include <vector>

struct MenuEntry {
    QString title;
    QString description;
    QString installer; // relative to the root of the disc
    QString requirements;

    bool operator==(const MenuEntry&) const = default;
};

// An entry of a menu file that lacks a line it needs. Nothing of such a read may be used.
class MenuFormatError : public platform::Error {
public:
    enum class Fault {
        MissingKeyLine, // no line with `key` is left for the entry
        MissingTitleLine, // the "Execute=" line `key` has no line above it
        NothingAfterLine, // the entry's `key` line is the last line, so what follows it cannot be removed
    };

    MenuFormatError(Fault fault, const QString& key, const QString& entry);

    Fault fault;
    QString key;
    QString entry; // the entry's title, or the installer path of an entry without a title line
};

// A menu file's text as lines: a line ends at "\n", and a last line break adds no empty line.
// The lines borrow the text's characters rather than copying them, so they stay valid only while
// this object, or a copy of it, lives.
class MenuText {
public:
    explicit MenuText(QString text);

    const QStringList& lines() const& { return lines_; }
    QStringList lines() && = delete;

private:
    QString text_; // never changed, so the lines' characters stay where they are
    QStringList lines_;
};

// The index of the first line that contains `key`, case-sensitive, or -1.
int findLine(const QStringList& lines, const QString& key);

// Cuts the first value in braces out of `text` and returns it. A "}" with no "{" before it gives
// the text before the "}" and leaves `text` as it was; without a "{" followed by a "}" nothing is cut.
QString cutBracedValue(QString& text);

// Read the entries of the braced or the section format from `lines`, which are left holding
// the lines the format did not consume. A file is a menu when at least two entries were read.
// Throw MenuFormatError when an entry lacks a line it needs. Each costs time in proportion to the
// lines and the text of the entries, whatever the number of entries.
std::vector<MenuEntry> readBracedFormat(QStringList& lines);
std::vector<MenuEntry> readSectionFormat(QStringList& lines);

constexpr std::size_t minimumMenuEntries = 2;
