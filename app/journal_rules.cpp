#include "app/journal_rules.h"

#include "ui/colors.h"
#include "ui/format.h"

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

QString markFor(bool accept) {
    return accept ? QStringLiteral("ok") : QStringLiteral("no");
}

QString goneMarksMessage(int gone, int marked) {
    return QStringLiteral(
               "%1 из %2 выбранных позиций удалены на другом рабочем месте; остальные отмечены.")
        .arg(gone)
        .arg(marked);
}

QString entryTimeText(const QDateTime& stamp) {
    return ui::momentText(stamp);
}

std::pair<QDate, QDate> previousMonthPeriod(const QDate& today) {
    const QDate to(today.year(), today.month(), 1);
    return {to.addMonths(-1), to};
}

}  // namespace journal
