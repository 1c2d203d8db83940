#include "timesheet/month_calendar.h"

#include "ui/colors.h"

#include <cstdlib>

namespace timesheet {

const QStringList& monthNames() {
    static const QStringList names{
        QStringLiteral("Январь"),  QStringLiteral("Февраль"), QStringLiteral("Март"),
        QStringLiteral("Апрель"),  QStringLiteral("Май"),     QStringLiteral("Июнь"),
        QStringLiteral("Июль"),    QStringLiteral("Август"),  QStringLiteral("Сентябрь"),
        QStringLiteral("Октябрь"), QStringLiteral("Ноябрь"),  QStringLiteral("Декабрь")};
    return names;
}

QStringList yearList(const QDate& today) {
    QStringList years;
    for (int y = kFirstYear; y <= today.year() + 1; ++y)
        years << QString::number(y);
    return years;
}

int yearIndexFor(int year, const QStringList& years) {
    if (years.isEmpty())
        return -1;
    int best = 0;
    int bestDistance = std::abs(years.first().toInt() - year);
    for (int i = 1; i < years.size(); ++i) {
        const int distance = std::abs(years[i].toInt() - year);
        if (distance < bestDistance) {
            best = i;
            bestDistance = distance;
        }
    }
    return best;
}

QDate firstDayOf(int month, const QString& yearText) {
    return QDate::fromString(
        QStringLiteral("01.") + QString::number(month) + QLatin1Char('.') + yearText,
        QStringLiteral("dd.M.yyyy"));
}

std::array<DayColumnLook, 31> dayColumnLooks(const QDate& firstDay) {
    std::array<DayColumnLook, 31> looks{};
    const int w = firstDay.dayOfWeek() % 7 + 1;  // Qt: Monday = 1 .. Sunday = 7
    const int n = firstDay.daysInMonth();
    for (int d = 1; d <= 31; ++d) {
        DayColumnLook& look = looks[d - 1];
        if (d <= n) {
            const int r = (w + d) % 7;
            const quint32 c = (r == 1 || r == 2) ? ui::kRed : ui::kSysWindowText;
            look = {c, c, false};
        } else {
            look = {ui::kSysWindow, ui::kSilver, true};
        }
    }
    return looks;
}

}  // namespace timesheet
