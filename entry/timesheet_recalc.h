#pragma once

#include <QDate>

namespace data {
class SharedData;
}

// Rewrites one day cell of a worker's monthly timesheet row (shift s, the month of day) with the
// sum of that day's journal hours. Runs through the shared Control and H_Tabel_ins; database
// errors propagate to the caller's handler.

// After an entry was saved: creates the month's row when the worker has none, otherwise updates
// the cell (0 when no hours are left).
void RecalcTimesheetDay(data::SharedData& db, int w, int s, const QDate& day);

// After an entry was deleted: updates the cell of an existing row with the remaining hours, 0
// when none are left; a missing row is not created.
void RecalcTimesheetDayAfterDeletion(data::SharedData& db, int w, int s, const QDate& day);
