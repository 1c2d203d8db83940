#pragma once

#include <QDate>
#include <QString>
#include <vector>

// Texts of the timesheet day-cell recalculation. Worker, shift, day, month, year and the sum are
// written as plain decimal integers; the day names the column (d1..d31).
namespace timesheet::recalc {

// "select count(w_id) as cnt from accounts_dep.h_tabel where w_id=..." for the month of day.
QString countStatement(int w, int s, const QDate& day);
// The day's hours of one worker and shift; at most one row, column tim.
QString daySumStatement(int w, int s, const QDate& day);
// daySumStatement and countStatement of several workers' days at once: one row per day, n (its
// index from 0), tim (NULL without entries) and cnt, in the order given.
struct DayCell {
    int w = 0;
    int s = 0;
    QDate day;
};
QString daysStatement(const std::vector<DayCell>& days);
// A new timesheet row naming only the day's column.
QString insertStatement(int w, int s, const QDate& day, qint64 sum);
// The day's cell of the existing row(s).
QString updateStatement(int w, int s, const QDate& day, qint64 sum);

}  // namespace timesheet::recalc
