#pragma once

#include <QDate>

namespace data {
class SharedData;
}

// Rewrites one day cell of a worker's monthly timesheet row (shift s, the month of day) with the
// sum of that day's journal hours. Runs through the shared Control and H_Tabel_ins, in a
// transaction (the caller's when there is one) under the locks of timesheet/month_lock.h, so a
// rebuild of the month or another writer of the row cannot come between the sum and the write;
// database errors propagate to the caller's handler.

// After an entry was saved: creates the month's row when the worker has none (also when the
// update finds no row after all), otherwise updates the cell (0 when no hours are left).
void RecalcTimesheetDay(data::SharedData& db, int w, int s, const QDate& day);

// RecalcTimesheetDay's write, for a caller that holds the row's locks (lockRowsForRecalc) in its
// transaction and has just summed the day's hours (journalDayHours).
void writeDayCell(data::SharedData& db, int w, int s, const QDate& day, qint64 sum);
// The same when the caller has also counted the worker's timesheet rows of the month (the
// existence statement recalc::countStatement).
void writeDayCell(data::SharedData& db, int w, int s, const QDate& day, qint64 sum,
                  qint64 rowsThere);

// After an entry was deleted or moved away: updates the cell of an existing row with the
// remaining hours, 0 when none are left. A missing row is created only when hours remain, so
// the cell never disagrees with the journal.
void RecalcTimesheetDayAfterDeletion(data::SharedData& db, int w, int s, const QDate& day);

// The journal's hours of a worker, shift and day; 0 without entries.
qint64 journalDayHours(data::SharedData& db, int w, int s, const QDate& day);
