#include "timesheet/month_closing_statements.h"

#include "data/sql_text.h"
#include "timesheet/month_calendar.h"
#include "timesheet/rebuild_statements.h"

namespace timesheet::closing {

namespace {
QString monthKey(int month, const QString& year) {
    return QStringLiteral(" where year=") + year + QStringLiteral(" and month=") +
           QString::number(month);
}

// The day cells d1..dN of a row as (d, v) rows, N the month's days.
QString dayCells(const QString& alias, int days) {
    QString cells;
    for (int d = 1; d <= days; ++d)
        cells += (d == 1 ? QString() : QStringLiteral(", ")) + alias + QStringLiteral(".d") +
                 QString::number(d);
    return QStringLiteral(" cross join lateral unnest(array[") + cells +
           QStringLiteral("]) with ordinality as c(v, d)");
}
}  // namespace

QString closedCount(int month, const QString& year) {
    return QStringLiteral("select count(*) as cnt from accounts_dep.closed_month") +
           monthKey(month, year);
}

QString differingCells(int month, const QString& year) {
    const int days = firstDayOf(month, year).daysInMonth();
    QString columns;
    for (int d = 1; d <= days; ++d)
        columns += QStringLiteral(", d") + QString::number(d);
    return QStringLiteral(
               "select count(*) as cnt from (select w_id, smena, d from (select h.w_id, h.smena, "
               "c.d, coalesce(c.v, 0) as shown, 0 as built from accounts_dep.h_tabel h") +
           dayCells(QStringLiteral("h"), days) + QStringLiteral(" where h.month=") +
           QString::number(month) + QStringLiteral(" and h.year=") + year +
           QStringLiteral(" union all select r.w_id, r.smena, c.d, 0, c.v from (") +
           rebuild::monthRows(month, year) + QStringLiteral(") as r(smena, w_id, month, year") +
           columns + QLatin1Char(')') + dayCells(QStringLiteral("r"), days) +
           QStringLiteral(
               ") cells group by w_id, smena, d having sum(shown) <> sum(built)) differing");
}

QString closeMonth(int month, const QString& year, const QString& role,
                   const QString& workstation) {
    return QStringLiteral(
               "insert into accounts_dep.closed_month(year, month, closed_at, closed_by_role, "
               "closed_by_workstation) values (") +
           year + QStringLiteral(", ") + QString::number(month) +
           QStringLiteral(", clock_timestamp(), ") + data::quotedLiteral(role) +
           QStringLiteral(", ") + data::quotedLiteral(workstation) +
           QStringLiteral(") on conflict (year, month) do nothing");
}

QString reopenMonth(int month, const QString& year) {
    return QStringLiteral("delete from accounts_dep.closed_month") + monthKey(month, year);
}

QString closeMonthCall(int month, const QString& year) {
    return QStringLiteral("select accounts_dep.close_month(") + year + QStringLiteral(", ") +
           QString::number(month) + QLatin1Char(')');
}

QString reopenMonthCall(int month, const QString& year) {
    return QStringLiteral("select accounts_dep.reopen_month(") + year + QStringLiteral(", ") +
           QString::number(month) + QStringLiteral(", :reason)");
}

QString unacceptedCount(int month, const QString& year) {
    const QDate first = firstDayOf(month, year);
    return QStringLiteral(
               "select count(*) as cnt from accounts_dep.smena where data >= to_date('") +
           data::sqlDate(first) + QStringLiteral("', 'DD.MM.YYYY') and data < to_date('") +
           data::sqlDate(first.addMonths(1)) +
           QStringLiteral("', 'DD.MM.YYYY') and coalesce(ok, '') not in ('ok', 'да')");
}

}  // namespace timesheet::closing
