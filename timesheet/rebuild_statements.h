#pragma once

#include <QString>

// Statement texts of the month rebuild. Numbers are written as plain decimal text; the year is
// the text the year list shows.
namespace timesheet::rebuild {

// Per-day journal sums by shift and worker; parameter :data.
QString dayAggregate();

// The timesheet row of a worker, shift and month: " where w_id=W and smena=S and month=M and
// year=Y". The day-cell recalculation writes its statements with it and insertDay too.
QString keyTail(const QString& w, const QString& s, int month, const QString& year);

QString deleteMonth(int month, const QString& year);
QString rowCount(const QString& w, const QString& s, int month, const QString& year);
QString updateDay(int day, const QString& t, const QString& w, const QString& s, int month,
                  const QString& year);
QString insertDay(int day, const QString& s, const QString& w, int month, const QString& year,
                  const QString& t);

// The same texts with the row's values as positional parameters in the order they appear
// (count: w, s; update: t, w, s; insert: s, w, t), so one prepared statement serves every row
// of a day.
QString rowCountBound(int month, const QString& year);
QString updateDayBound(int day, int month, const QString& year);
QString insertDayBound(int day, int month, const QString& year);

}  // namespace timesheet::rebuild
