// The menu formats read the slow, obvious way: every lookup scans a list of lines from the top and
// every removal shifts the list, step by step as the formats are defined. The tests, the fuzz
// target and the benchmark hold the reader to the same results; it is not used by the program.
#pragma once

#include <QList>
#include <QString>
#include <QStringList>

namespace testing {

struct LiteralMenuRead {
    enum class Outcome { Read, MissingKeyLine, MissingTitleLine, NothingAfterLine };

    Outcome outcome = Outcome::Read;
    // Read: one row per entry of title, description, installer path and requirements.
    QList<QStringList> rows;
    // Read: the lines left over.
    QStringList remaining;
    // Otherwise: the key line and the entry that failed (title, or installer path without a title line).
    QString key;
    QString entry;

    bool operator==(const LiteralMenuRead&) const = default;
};

QStringList literalMenuLines(const QString& text);
QString literalCutBracedValue(QString& text);
LiteralMenuRead literalReadBraced(QStringList lines);
LiteralMenuRead literalReadSection(QStringList lines);

} // namespace testing
