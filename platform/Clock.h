// Today's date and the time of day as text in the user's locale formats. The moment can be
// fixed for tests; the formats always come from the system locale.
#pragma once

#include <QDateTime>
#include <QString>
#include <optional>

namespace platform {

QDateTime currentDateTime();
// Fixes the moment that currentDateTime() returns; nothing restores the real clock.
void setFixedDateTime(std::optional<QDateTime> moment);

// The locale's short date format, e.g. 24.12.2024.
QString shortDateText(const QDate& date);
// The locale's long time format with seconds, without the time zone (the Windows long time).
QString longTimeText(const QTime& time);

QString todayText();
QString timeOfDayText();

} // namespace platform
