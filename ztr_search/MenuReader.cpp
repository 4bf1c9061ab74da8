// The two menu formats read in one pass. The formats are defined by lookups of the first line,
// from the top, that contains a key, among lines that are removed as the entries are read; done
// literally that is quadratic. Here the lines stay where they are, linked to their live
// neighbours, and each key keeps a cursor: lines are only ever removed, so the first live line
// with a key never moves up, and each cursor passes each line once.
#include "ztr_search/MenuReader.h"

#include <vector>

namespace {

const QString comment = QStringLiteral("//");
const QString nameKey = QStringLiteral("nazwa=");
const QString descriptionKey = QStringLiteral("opis=");
const QString installKey = QStringLiteral("instalacja=");
const QString runKey = QStringLiteral("uruchomienie=");
const QString requirementsMark = QStringLiteral("Wymagania:");
const QString executeKey = QStringLiteral("Execute=");
const QString noteKey = QStringLiteral("Note=");
const QString systemKey = QStringLiteral("System=");

QString faultText(MenuFormatError::Fault fault, const QString& key, const QString& entry)
{
    switch (fault) {
    case MenuFormatError::Fault::MissingKeyLine:
        return QStringLiteral("W pozycji menu „%1” brakuje linii „%2”").arg(entry, key);
    case MenuFormatError::Fault::MissingTitleLine:
        return QStringLiteral("Nad linią „%1” programu „%2” brakuje linii z tytułem").arg(key, entry);
    case MenuFormatError::Fault::NothingAfterLine:
        return QStringLiteral("Plik menu urywa się po linii „%1” pozycji „%2”").arg(key, entry);
    }
    return {};
}

// The lines of a file with those removed so far taken out of the chain.
class LiveLines {
public:
    static constexpr int none = -1;

    explicit LiveLines(const QStringList& lines)
        : lines_(lines)
        , next_(static_cast<std::size_t>(lines.size()))
        , previous_(static_cast<std::size_t>(lines.size()))
        , live_(static_cast<std::size_t>(lines.size()), true)
        , first_(lines.isEmpty() ? none : 0)
    {
        const int count = size();
        for (int i = 0; i < count; ++i) {
            next_[static_cast<std::size_t>(i)] = i + 1 < count ? i + 1 : none;
            previous_[static_cast<std::size_t>(i)] = i - 1;
        }
    }

    int size() const { return static_cast<int>(lines_.size()); }
    const QString& at(int line) const { return lines_.at(line); }
    bool live(int line) const { return live_[static_cast<std::size_t>(line)]; }
    int next(int line) const { return next_[static_cast<std::size_t>(line)]; }
    int previous(int line) const { return previous_[static_cast<std::size_t>(line)]; }

    void remove(int line)
    {
        const int before = previous(line);
        const int after = next(line);
        if (before == none)
            first_ = after;
        else
            next_[static_cast<std::size_t>(before)] = after;
        if (after != none)
            previous_[static_cast<std::size_t>(after)] = before;
        live_[static_cast<std::size_t>(line)] = false;
        --liveCount_;
    }

    QStringList remaining() const
    {
        // A file of the other format loses no line, and the list is shared rather than copied.
        if (liveCount_ == size())
            return lines_;
        QStringList result;
        result.reserve(liveCount_);
        for (int line = first_; line != none; line = next(line))
            result << at(line);
        return result;
    }

private:
    const QStringList& lines_;
    std::vector<int> next_;
    std::vector<int> previous_;
    std::vector<bool> live_;
    int first_;
    int liveCount_ = size();
};

// The first live line that contains one key.
class KeyCursor {
public:
    KeyCursor(const LiveLines& lines, const QString& key)
        : lines_(lines)
        , key_(key)
    {
    }

    int first()
    {
        while (position_ < lines_.size()) {
            if (lines_.live(position_) && (matched_ || lines_.at(position_).contains(key_))) {
                matched_ = true;
                return position_;
            }
            ++position_;
            matched_ = false;
        }
        return LiveLines::none;
    }

    const QString& key() const { return key_; }

private:
    const LiveLines& lines_;
    const QString& key_;
    int position_ = 0;
    bool matched_ = false; // the line at position_ is known to contain the key
};

// The value cutBracedValue gives, for a text that is not needed afterwards.
QString bracedValue(QStringView text)
{
    const qsizetype open = text.indexOf(u'{');
    const qsizetype close = text.indexOf(u'}');
    // Without a "{" the value runs from the start of the text.
    const qsizetype length = close - open - 1;
    return length > 0 ? text.mid(open + 1, length).toString() : QString();
}

int requireLine(KeyCursor& cursor, const QString& entry)
{
    const int line = cursor.first();
    if (line == LiveLines::none)
        throw MenuFormatError(MenuFormatError::Fault::MissingKeyLine, cursor.key(), entry);
    return line;
}

// The lines from `from` up to the line before `to`, each after one space.
QString joinedLines(const LiveLines& lines, int from, int to)
{
    QString text;
    if (to <= from)
        return text;
    qsizetype length = 0;
    for (int line = from; line != to; line = lines.next(line))
        length += 1 + lines.at(line).size();
    text.reserve(length);
    for (int line = from; line != to; line = lines.next(line)) {
        text += u' ';
        text += lines.at(line);
    }
    return text;
}

// Removes the line at the index of `last`, then the one at the index of `first`, both indexes as
// they were found: when `last` stood above or on `first`, the second removal takes the line after
// `first`.
void removeFoundLines(LiveLines& lines, int first, int last, const QString& firstKey, const QString& entry)
{
    if (last > first) {
        lines.remove(last);
        lines.remove(first);
        return;
    }
    const int shifted = lines.next(first);
    if (shifted == LiveLines::none)
        throw MenuFormatError(MenuFormatError::Fault::NothingAfterLine, firstKey, entry);
    lines.remove(last);
    lines.remove(shifted);
}

} // namespace

MenuFormatError::MenuFormatError(Fault fault, const QString& key, const QString& entry)
    : platform::Error(faultText(fault, key, entry))
    , fault(fault)
    , key(key)
    , entry(entry)
{
}

MenuText::MenuText(QString text)
    : text_(std::move(text))
{
    // A copy of every line would cost an allocation each, most of the time of a large read.
    const QChar* characters = text_.constData();
    lines_.reserve(text_.count(u'\n') + 1);
    qsizetype start = 0;
    for (qsizetype end = text_.indexOf(u'\n'); end >= 0; end = text_.indexOf(u'\n', start)) {
        lines_ << QString::fromRawData(characters + start, end - start);
        start = end + 1;
    }
    if (start < text_.size())
        lines_ << QString::fromRawData(characters + start, text_.size() - start);
}

int findLine(const QStringList& lines, const QString& key)
{
    for (qsizetype i = 0; i < lines.size(); ++i)
        if (lines.at(i).contains(key))
            return static_cast<int>(i);
    return -1;
}

QString cutBracedValue(QString& text)
{
    const QString value = bracedValue(text);
    const qsizetype open = text.indexOf(u'{');
    const qsizetype close = text.indexOf(u'}');
    if (open >= 0 && close > open)
        text.remove(open, close - open + 1);
    return value;
}

std::vector<MenuEntry> readBracedFormat(QStringList& lines)
{
    LiveLines live(lines);
    for (int line = 0; line < live.size(); ++line)
        if (live.at(line).contains(comment))
            live.remove(line);

    KeyCursor names(live, nameKey);
    KeyCursor descriptions(live, descriptionKey);
    KeyCursor installs(live, installKey);
    KeyCursor runs(live, runKey);
    std::vector<MenuEntry> entries;
    for (int name = names.first(); name != LiveLines::none; name = names.first()) {
        MenuEntry entry;
        entry.title = bracedValue(live.at(name));
        live.remove(name);

        const int description = requireLine(descriptions, entry.title);
        const int install = requireLine(installs, entry.title);
        entry.description = bracedValue(joinedLines(live, description, install));
        const qsizetype mark = entry.description.indexOf(requirementsMark);
        if (mark >= 0) {
            // The character after the colon, normally a blank, is not part of the requirements.
            entry.requirements = entry.description.mid(mark + requirementsMark.size() + 1);
            entry.description.truncate(mark);
        }
        removeFoundLines(live, description, install, descriptionKey, entry.title);

        const int run = requireLine(runs, entry.title);
        QString runLine = live.at(run);
        const QString folder = cutBracedValue(runLine);
        const QString file = cutBracedValue(runLine);
        entry.installer = folder + u'\\' + file;
        live.remove(run);

        entries.push_back(std::move(entry));
    }
    lines = live.remaining();
    return entries;
}

std::vector<MenuEntry> readSectionFormat(QStringList& lines)
{
    LiveLines live(lines);
    KeyCursor executes(live, executeKey);
    KeyCursor notes(live, noteKey);
    KeyCursor systems(live, systemKey);
    std::vector<MenuEntry> entries;
    for (int execute = executes.first(); execute != LiveLines::none; execute = executes.first()) {
        MenuEntry entry;
        // "Execute=" and the two characters after it.
        entry.installer = live.at(execute).mid(10);
        const int titleLine = live.previous(execute);
        if (titleLine == LiveLines::none)
            throw MenuFormatError(MenuFormatError::Fault::MissingTitleLine, executeKey, entry.installer);
        const QString& title = live.at(titleLine);
        if (title.size() > 2)
            entry.title = title.mid(1, title.size() - 2);
        live.remove(execute);
        live.remove(titleLine);

        const int note = requireLine(notes, entry.title);
        const int system = requireLine(systems, entry.title);
        entry.requirements = live.at(system).mid(systemKey.size());
        // The text starts with the blank and "Note=" of its first line.
        entry.description = joinedLines(live, note, system).mid(1 + noteKey.size());
        removeFoundLines(live, note, system, noteKey, entry.title);

        entries.push_back(std::move(entry));
    }
    lines = live.remaining();
    return entries;
}
