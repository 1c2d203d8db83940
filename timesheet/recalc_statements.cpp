#include "timesheet/recalc_statements.h"

#include "data/sql_text.h"
#include "timesheet/rebuild_statements.h"

namespace timesheet::recalc {

namespace {
QString n(qint64 value) {
    return QString::number(value);
}

QString keyOf(int w, int s, const QDate& day) {
    return rebuild::keyTail(n(w), n(s), day.month(), n(day.year()));
}
}  // namespace

QString countStatement(int w, int s, const QDate& day) {
    return QStringLiteral("select count(w_id) as cnt from accounts_dep.h_tabel") + keyOf(w, s, day);
}

QString daySumStatement(int w, int s, const QDate& day) {
    return QStringLiteral("select sum(time) as tim from accounts_dep.smena where w_id=") + n(w) +
           QStringLiteral(" and smena=") + n(s) + QStringLiteral(" and data=to_date('") +
           data::sqlDate(day) + QStringLiteral("', 'DD.MM.YYYY') group by w_id, smena, data");
}

QString insertStatement(int w, int s, const QDate& day, qint64 sum) {
    return rebuild::insertDay(day.day(), n(s), n(w), day.month(), n(day.year()), n(sum));
}

QString updateStatement(int w, int s, const QDate& day, qint64 sum) {
    return QStringLiteral("update accounts_dep.h_tabel set d") + n(day.day()) +
           QStringLiteral("=") + n(sum) + keyOf(w, s, day);
}

QString daysStatement(const std::vector<DayCell>& days) {
    QString sql = QStringLiteral(
        "select v.n, (select sum(time) from accounts_dep.smena j where j.w_id=v.w and "
        "j.smena=v.s and j.data=v.d) as tim, (select count(w_id) from accounts_dep.h_tabel h "
        "where h.w_id=v.w and h.smena=v.s and h.month=v.m and h.year=v.y) as cnt from (values ");
    for (std::size_t i = 0; i < days.size(); ++i) {
        const DayCell& c = days[i];
        sql += (i ? QStringLiteral(", (") : QStringLiteral("(")) + n(qint64(i)) +
               QStringLiteral(", ") + n(c.w) + QStringLiteral(", ") + n(c.s) +
               QStringLiteral(", to_date('") + data::sqlDate(c.day) +
               QStringLiteral("', 'DD.MM.YYYY'), ") + n(c.day.month()) + QStringLiteral(", ") +
               n(c.day.year()) + QStringLiteral(")");
    }
    return sql + QStringLiteral(") as v(n, w, s, d, m, y) order by v.n");
}

}  // namespace timesheet::recalc
