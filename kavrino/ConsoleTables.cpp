#include "kavrino/ConsoleTables.h"

#include "kavrino/TurtleMath.h"

namespace kavrino {

CaptionStep nextCaption(std::int32_t tick, const QString& title)
{
    const std::int32_t next = wrappingAdd(tick, 1);
    switch (next) {
    case 1: return { next, title.left(1) };
    case 2: return { next, title.left(2) };
    case 3: return { next, title.left(4) };
    case 4: return { next, title.left(5) };
    case 5: return { next, title.left(6) };
    case 6:
    case 7: return { next, title };
    case 8: return { 0, QString() };
    default: return { next, title };
    }
}

std::optional<int> cursorValueForLine(const QString& line)
{
    for (int number = 1; number <= 22; ++number)
        if (line == QString::number(number))
            return 1 - number;
    return std::nullopt;
}

} // namespace kavrino
