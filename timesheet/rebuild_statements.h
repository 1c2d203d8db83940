#pragma once

#include <QString>

// Statement texts of the month rebuild. Numbers are written as plain decimal text; the year is
// the text the year list shows.
namespace timesheet::rebuild {

// Per-day journal sums by shift and worker; parameter :data. With rowCount, updateDay and
// insertDay it makes the month day by day, cell by cell: the reference the set-based statement
// is held to.
QString dayAggregate();

// The timesheet row of a worker, shift and month: " where w_id=W and smena=S and month=M and
// year=Y". The day-cell recalculation writes its statements with it and insertDay too.
QString keyTail(const QString& w, const QString& s, int month, const QString& year);

// Locks the month's timesheet rows, refused at once when another session holds one of them.
QString lockMonthRows(int month, const QString& year);
QString deleteMonth(int month, const QString& year);
// Notes the rebuild as one event of the change history, on a database that keeps one (the
// upgrade's accounts_dep.note_month_rebuild); does nothing on one that was not upgraded.
QString noteRebuild(int month, int year);
QString rowCount(const QString& w, const QString& s, int month, const QString& year);
QString updateDay(int day, const QString& t, const QString& w, const QString& s, int month,
                  const QString& year);
QString insertDay(int day, const QString& s, const QString& w, int month, const QString& year,
                  const QString& t);

// The whole month in one statement: a row per shift and worker with journal entries in the month,
// each day column of the month the day's sum of hours (0 on a day without entries, as the
// column's default); the columns past the month's last day are left to their defaults.
QString monthInsert(int month, const QString& year);
// The rows monthInsert writes, as a select of smena, w_id, month, year and the month's day sums.
QString monthRows(int month, const QString& year);

}  // namespace timesheet::rebuild
