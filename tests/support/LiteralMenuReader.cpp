#include "support/LiteralMenuReader.h"

namespace testing {

namespace {

struct Stop {
    LiteralMenuRead::Outcome outcome;
    QString key;
    QString entry;
};

int find(const QStringList& lines, const QString& key)
{
    for (int i = 0; i < lines.size(); ++i)
        if (lines[i].contains(key))
            return i;
    return -1;
}

// Positions count from 1 and 0 means absent, as in the definition of the formats.
int position(const QString& text, QChar c)
{
    return static_cast<int>(text.indexOf(c)) + 1;
}

QString copy(const QString& text, int from, int count)
{
    QString result;
    for (int i = from; i < from + count && i <= text.size(); ++i)
        if (i >= 1)
            result += text[i - 1];
    return result;
}

void deleteLine(QStringList& lines, int index, const QString& key, const QString& entry)
{
    if (index < 0 || index >= lines.size())
        throw Stop { LiteralMenuRead::Outcome::NothingAfterLine, key, entry };
    lines.removeAt(index);
}

LiteralMenuRead finish(QList<QStringList> rows, QStringList remaining)
{
    LiteralMenuRead read;
    read.rows = std::move(rows);
    read.remaining = std::move(remaining);
    return read;
}

LiteralMenuRead stopped(const Stop& stop)
{
    LiteralMenuRead read;
    read.outcome = stop.outcome;
    read.key = stop.key;
    read.entry = stop.entry;
    return read;
}

} // namespace

QStringList literalMenuLines(const QString& text)
{
    QStringList lines;
    QString line;
    for (const QChar c : text) {
        if (c == u'\n') {
            lines << line;
            line.clear();
        } else {
            line += c;
        }
    }
    if (!line.isEmpty())
        lines << line;
    return lines;
}

QString literalCutBracedValue(QString& text)
{
    const int p1 = position(text, u'{');
    const int p2 = position(text, u'}');
    const QString value = copy(text, p1 + 1, p2 - p1 - 1);
    if (p1 != 0 && p2 > p1)
        text = copy(text, 1, p1 - 1) + copy(text, p2 + 1, static_cast<int>(text.size()));
    return value;
}

LiteralMenuRead literalReadBraced(QStringList lines)
{
    QList<QStringList> rows;
    try {
        for (int line = find(lines, QStringLiteral("//")); line >= 0; line = find(lines, QStringLiteral("//")))
            lines.removeAt(line);
        for (int a = find(lines, QStringLiteral("nazwa=")); a >= 0; a = find(lines, QStringLiteral("nazwa="))) {
            QString nameLine = lines[a];
            const QString title = literalCutBracedValue(nameLine);
            lines.removeAt(a);
            const int b = find(lines, QStringLiteral("opis="));
            const int c = find(lines, QStringLiteral("instalacja="));
            if (b < 0)
                throw Stop { LiteralMenuRead::Outcome::MissingKeyLine, QStringLiteral("opis="), title };
            if (c < 0)
                throw Stop { LiteralMenuRead::Outcome::MissingKeyLine, QStringLiteral("instalacja="), title };
            QString text;
            if (c > b)
                for (int i = b; i <= c - 1; ++i)
                    text = text + QStringLiteral(" ") + lines[i];
            QString description = literalCutBracedValue(text);
            QString requirements;
            const int p = static_cast<int>(description.indexOf(QStringLiteral("Wymagania:"))) + 1;
            if (p > 0) {
                requirements = copy(description, p + 11, static_cast<int>(description.size()));
                description = copy(description, 1, p - 1);
            }
            deleteLine(lines, c, QStringLiteral("opis="), title);
            deleteLine(lines, b, QStringLiteral("opis="), title);
            const int u = find(lines, QStringLiteral("uruchomienie="));
            if (u < 0)
                throw Stop { LiteralMenuRead::Outcome::MissingKeyLine, QStringLiteral("uruchomienie="), title };
            QString runLine = lines[u];
            const QString folder = literalCutBracedValue(runLine);
            const QString file = literalCutBracedValue(runLine);
            lines.removeAt(u);
            rows << QStringList { title, description, folder + QStringLiteral("\\") + file, requirements };
        }
    } catch (const Stop& stop) {
        return stopped(stop);
    }
    return finish(std::move(rows), std::move(lines));
}

LiteralMenuRead literalReadSection(QStringList lines)
{
    QList<QStringList> rows;
    try {
        for (int a = find(lines, QStringLiteral("Execute=")); a >= 0; a = find(lines, QStringLiteral("Execute="))) {
            const QString installer = copy(lines[a], 11, static_cast<int>(lines[a].size()));
            if (a - 1 < 0)
                throw Stop { LiteralMenuRead::Outcome::MissingTitleLine, QStringLiteral("Execute="), installer };
            const QString title = copy(lines[a - 1], 2, static_cast<int>(lines[a - 1].size()) - 2);
            lines.removeAt(a);
            lines.removeAt(a - 1);
            const int n = find(lines, QStringLiteral("Note="));
            const int s = find(lines, QStringLiteral("System="));
            if (n < 0)
                throw Stop { LiteralMenuRead::Outcome::MissingKeyLine, QStringLiteral("Note="), title };
            if (s < 0)
                throw Stop { LiteralMenuRead::Outcome::MissingKeyLine, QStringLiteral("System="), title };
            const QString requirements = copy(lines[s], 8, static_cast<int>(lines[s].size()));
            QString description;
            if (s > n) {
                QString text;
                for (int i = n; i <= s - 1; ++i)
                    text = text + QStringLiteral(" ") + lines[i];
                description = copy(text, 7, static_cast<int>(text.size()));
            }
            deleteLine(lines, s, QStringLiteral("Note="), title);
            deleteLine(lines, n, QStringLiteral("Note="), title);
            rows << QStringList { title, description, installer, requirements };
        }
    } catch (const Stop& stop) {
        return stopped(stop);
    }
    return finish(std::move(rows), std::move(lines));
}

} // namespace testing
