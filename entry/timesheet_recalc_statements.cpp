#include "entry/timesheet_recalc_statements.h"

#include "data/sql_text.h"

namespace recalc {

namespace {
QString n(int value) {
    return QString::number(value);
}
}  // namespace

QString countStatement(int w, int s, const QDate& day) {
    return QStringLiteral("select count(w_id) as cnt from accounts_dep.h_tabel where w_id=") +
           n(w) + QStringLiteral(" and smena=") + n(s) + QStringLiteral(" and month=") +
           n(day.month()) + QStringLiteral(" and year=") + n(day.year());
}

QString daySumStatement(int w, int s, const QDate& day) {
    return QStringLiteral("select sum(time) as tim from accounts_dep.smena where w_id=") + n(w) +
           QStringLiteral(" and smena=") + n(s) + QStringLiteral(" and data=to_date('") +
           data::sqlDate(day) + QStringLiteral("', 'DD.MM.YYYY') group by w_id, smena, data");
}

QString insertStatement(int w, int s, const QDate& day, int sum) {
    return QStringLiteral("insert into accounts_dep.h_tabel(smena, w_id, month, year, d") +
           n(day.day()) + QStringLiteral(") values(") + n(s) + QStringLiteral(", ") + n(w) +
           QStringLiteral(", ") + n(day.month()) + QStringLiteral(", ") + n(day.year()) +
           QStringLiteral(", ") + n(sum) + QStringLiteral(")");
}

QString updateStatement(int w, int s, const QDate& day, int sum) {
    return QStringLiteral("update accounts_dep.h_tabel set d") + n(day.day()) +
           QStringLiteral("=") + n(sum) + QStringLiteral(" where w_id=") + n(w) +
           QStringLiteral(" and smena=") + n(s) + QStringLiteral(" and month=") + n(day.month()) +
           QStringLiteral(" and year=") + n(day.year());
}

}  // namespace recalc
