#include "app/journal_rules.h"

#include "ui/colors.h"

namespace journal {

bool isWeekend(const QDate& day) {
    return day.dayOfWeek() >= Qt::Saturday;
}

bool isAccepted(const QString& mark) {
    return mark == QLatin1String("ok") || mark == QStringLiteral("да");
}

quint32 markColor(const QString& mark) {
    return isAccepted(mark) ? ui::kGreen : ui::kRed;
}

QString toggledMark(const QString& mark) {
    return isAccepted(mark) ? QStringLiteral("no") : QStringLiteral("ok");
}

std::pair<QDate, QDate> previousMonthPeriod(const QDate& today) {
    const QDate to(today.year(), today.month(), 1);
    return {to.addMonths(-1), to};
}

}  // namespace journal
