#include "timesheet/rebuild_statements.h"

#include "data/sql_text.h"
#include "timesheet/month_calendar.h"

namespace timesheet::rebuild {

namespace {
QString num(int value) {
    return QString::number(value);
}
}  // namespace

QString keyTail(const QString& w, const QString& s, int month, const QString& year) {
    return QStringLiteral(" where w_id=") + w + QStringLiteral(" and smena=") + s +
           QStringLiteral(" and month=") + num(month) + QStringLiteral(" and year=") + year;
}

QString dayAggregate() {
    return QStringLiteral(
        " select smena, w_id, sum(time) as tim from accounts_dep.smena where data=:data group by "
        "smena,w_id;");
}

QString lockMonthRows(int month, const QString& year) {
    return QStringLiteral("select 1 from accounts_dep.h_tabel where month=") + num(month) +
           QStringLiteral(" and year=") + year + QStringLiteral(" for update nowait");
}

QString deleteMonth(int month, const QString& year) {
    return QStringLiteral("delete from accounts_dep.h_tabel where month=") + num(month) +
           QStringLiteral(" and year=") + year;
}

QString noteRebuild(int month, int year) {
    return QStringLiteral(
               "do $$ begin if to_regproc('accounts_dep.note_month_rebuild') is not null then "
               "perform accounts_dep.note_month_rebuild(") +
           num(year) + QStringLiteral(", ") + num(month) + QStringLiteral("); end if; end $$");
}

QString rowCount(const QString& w, const QString& s, int month, const QString& year) {
    return QStringLiteral("select count(w_id) as cnt from accounts_dep.h_tabel h_tabel") +
           keyTail(w, s, month, year);
}

QString updateDay(int day, const QString& t, const QString& w, const QString& s, int month,
                  const QString& year) {
    return QStringLiteral("update accounts_dep.h_tabel set d") + num(day) + QStringLiteral("='") +
           t + QLatin1Char('\'') + keyTail(w, s, month, year);
}

QString insertDay(int day, const QString& s, const QString& w, int month, const QString& year,
                  const QString& t) {
    return QStringLiteral("insert into accounts_dep.h_tabel(smena, w_id, month, year, d") +
           num(day) + QStringLiteral(") ") + QStringLiteral("values(") + s + QStringLiteral(", ") +
           w + QStringLiteral(", ") + num(month) + QStringLiteral(", ") + year +
           QStringLiteral(", ") + t + QLatin1Char(')');
}

QString monthRows(int month, const QString& year) {
    const QDate first = firstDayOf(month, year);
    QString sums;
    for (int d = 1; d <= first.daysInMonth(); ++d)
        sums += QStringLiteral(", coalesce(sum(time) filter (where dd=") + num(d) +
                QStringLiteral("), 0)");
    return QStringLiteral("select smena, w_id, ") + num(month) + QStringLiteral(", ") + year +
           sums +
           QStringLiteral(
               " from (select smena, w_id, time, extract(day from data)::integer as dd from "
               "accounts_dep.smena where data>=to_date('") +
           data::sqlDate(first) + QStringLiteral("', 'DD.MM.YYYY') and data<to_date('") +
           data::sqlDate(first.addMonths(1)) +
           QStringLiteral("', 'DD.MM.YYYY')) j group by smena, w_id");
}

QString monthInsert(int month, const QString& year) {
    QString columns;
    for (int d = 1; d <= firstDayOf(month, year).daysInMonth(); ++d)
        columns += QStringLiteral(", d") + num(d);
    return QStringLiteral("insert into accounts_dep.h_tabel(smena, w_id, month, year") + columns +
           QStringLiteral(") ") + monthRows(month, year);
}

}  // namespace timesheet::rebuild
