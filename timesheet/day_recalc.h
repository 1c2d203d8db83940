#pragma once

#include "timesheet/recalc_statements.h"

#include <QDate>
#include <vector>

namespace data {
class SharedData;
}

// The day cells of the timesheet follow the journal: after a journal change, each day cell it
// touched (a worker's, shift's and day's, in the worker's row of that shift and month) is
// rewritten with the sum of that day's journal hours. Runs through the shared Control and
// H_Tabel_ins, in the caller's transaction, under the locks of timesheet/month_lock.h taken by
// lockDayCells before the journal is written, so a rebuild of the month or another writer of the
// row cannot come between the sum and the write; database errors propagate to the caller.
namespace timesheet {

using DayCell = recalc::DayCell;

// Before the journal rows of these cells are written: their months and rows locked until the
// transaction ends (lockRowsForRecalc). Cells without a date have no row and are left out.
void lockDayCells(const std::vector<DayCell>& cells);

// The journal's hours of the cell's day; 0 without entries.
qint64 journalDayHours(data::SharedData& db, const DayCell& cell);

// After an entry was written into the cell, with the day's hours just summed: creates the month's
// row when the worker has none (also when the update finds no row after all), otherwise updates
// the cell.
void writeDayCell(data::SharedData& db, const DayCell& cell, qint64 hours);

// After an entry left the cell (deleted, or moved to another worker, shift or day): updates the
// cell of an existing row with the remaining hours, 0 when none are left. A missing row is
// created only when hours remain, so the cell never disagrees with the journal.
void followLeftDay(data::SharedData& db, const DayCell& cell);

// Several cells at once (a whole shift written): each cell's journal hours and the worker's
// timesheet rows of its month, read by one statement, in the order given.
struct DayState {
    qint64 hours = 0;
    qint64 timesheetRows = 0;
};
std::vector<DayState> dayStates(const std::vector<DayCell>& cells);
// Writes each cell's hours, its row locked and counted by dayStates (so there or not until
// commit): inserted or updated for sure, every cell in one round trip.
void writeDayCells(data::SharedData& db, const std::vector<DayCell>& cells,
                   const std::vector<DayState>& states);

// One cell recalculated on its own: its own transaction (the caller's when there is one) and
// locks, as after an entry was written (recalcDay) or left the cell (recalcDayAfterDeletion).
void recalcDay(data::SharedData& db, int w, int s, const QDate& day);
void recalcDayAfterDeletion(data::SharedData& db, int w, int s, const QDate& day);

}  // namespace timesheet
