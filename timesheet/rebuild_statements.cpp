#include "timesheet/rebuild_statements.h"

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

QString deleteMonth(int month, const QString& year) {
    return QStringLiteral("delete from accounts_dep.h_tabel where month=") + num(month) +
           QStringLiteral(" and year=") + year;
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

QString rowCountBound(int month, const QString& year) {
    return QStringLiteral("select count(w_id) as cnt from accounts_dep.h_tabel h_tabel") +
           keyTail(QStringLiteral("?"), QStringLiteral("?"), month, year);
}

QString updateDayBound(int day, int month, const QString& year) {
    return QStringLiteral("update accounts_dep.h_tabel set d") + num(day) + QStringLiteral("=?") +
           keyTail(QStringLiteral("?"), QStringLiteral("?"), month, year);
}

QString insertDayBound(int day, int month, const QString& year) {
    return insertDay(day, QStringLiteral("?"), QStringLiteral("?"), month, year,
                     QStringLiteral("?"));
}

}  // namespace timesheet::rebuild
