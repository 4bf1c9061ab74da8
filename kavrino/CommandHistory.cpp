#include "kavrino/CommandHistory.h"

namespace kavrino {

CommandHistory::CommandHistory(qsizetype capacity)
    : capacity_(capacity)
{
}

void CommandHistory::confirm(const QString& line)
{
    if (!line.isEmpty() && (lines_.isEmpty() || lines_.constLast() != line)) {
        lines_.append(line);
        if (lines_.size() > capacity_)
            lines_.removeFirst();
    }
    position_ = lines_.size();
    draft_.clear();
}

std::optional<QString> CommandHistory::older(const QString& current)
{
    if (position_ == 0)
        return std::nullopt;
    if (position_ == lines_.size())
        draft_ = current;
    return lines_.at(--position_);
}

std::optional<QString> CommandHistory::newer()
{
    if (position_ >= lines_.size())
        return std::nullopt;
    ++position_;
    return position_ == lines_.size() ? draft_ : lines_.at(position_);
}

} // namespace kavrino
