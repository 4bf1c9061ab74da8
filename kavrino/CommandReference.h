// The help texts of the reference window: one entry per command word, in the order of its pick
// list. Plain data and a lookup; the window that shows them lives in Unit3.
#pragma once

#include <QString>
#include <QStringList>
#include <vector>

namespace kavrino {

struct CommandHelp {
    QString word; // the key, compared exactly with what the user picked or typed
    QString displayName;
    QString parameter;
    QStringList description;
    // The way the command is written is always the word itself.
    QString syntax() const { return word; }
};

// All entries; the last one is reached only by typing its word.
const std::vector<CommandHelp>& commandReference();

// The words offered in the pick list, in order.
QStringList pickListWords();

// The entry whose word equals `text` exactly (case, blanks and Polish letters count), or none.
const CommandHelp* findCommandHelp(const QString& text);

} // namespace kavrino
