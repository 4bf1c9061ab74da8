#include "platform/Clock.h"

#include <QLocale>
#include <QRegularExpression>

namespace platform {

namespace {
std::optional<QDateTime> fixedMoment;
}

QDateTime currentDateTime()
{
    return fixedMoment ? *fixedMoment : QDateTime::currentDateTime();
}

void setFixedDateTime(std::optional<QDateTime> moment)
{
    fixedMoment = std::move(moment);
}

QString shortDateText(const QDate& date)
{
    return QLocale::system().toString(date, QLocale::ShortFormat);
}

QString longTimeText(const QTime& time)
{
    // Qt's long format ends in the time zone ("t", "tt", "ttt"), which a clock does not show.
    QString format = QLocale::system().timeFormat(QLocale::LongFormat);
    static const QRegularExpression zone(QStringLiteral("\\s*\\bt+\\b\\s*"));
    format.replace(zone, QStringLiteral(" "));
    format = format.trimmed();
    if (!format.contains(u's'))
        format = QStringLiteral("HH:mm:ss");
    return QLocale::system().toString(time, format);
}

QString todayText()
{
    return shortDateText(currentDateTime().date());
}

QString timeOfDayText()
{
    return longTimeText(currentDateTime().time());
}

} // namespace platform
