// The lines typed into the console in this session, for walking back and forth through them with
// the arrow keys as in a shell. The input line being typed is kept while the user walks away from
// it. Nothing here touches a widget; the main window feeds it keys and lines.
#pragma once

#include <QString>
#include <QStringList>
#include <optional>

namespace kavrino {

class CommandHistory {
public:
    // The oldest lines go once there are more than `capacity`.
    explicit CommandHistory(qsizetype capacity = 1000);

    // A confirmed line: remembered unless it is empty or repeats the last one, and the walk starts
    // again from a new, empty input line.
    void confirm(const QString& line);

    // The line to show one step back (older) or forward (newer), given the text the input line
    // holds now; nothing where the walk ends. Forward from the newest line is the input line as it
    // was when the walk began.
    std::optional<QString> older(const QString& current);
    std::optional<QString> newer();

    const QStringList& lines() const { return lines_; }

private:
    qsizetype capacity_;
    QStringList lines_;
    qsizetype position_ = 0; // lines_.size() while on the input line itself
    QString draft_;
};

} // namespace kavrino
