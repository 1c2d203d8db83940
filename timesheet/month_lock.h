#pragma once

#include <QDate>
#include <compare>
#include <vector>

namespace printing {
class WorkProgress;
}

// The locks that keep the timesheet equal to the journal while several workstations write it.
// A per-entry recalculation holds its month shared and its row exclusively; the month rebuild
// holds the month exclusively. So recalculations of one month run side by side, a rebuild waits
// for those in progress and holds off new ones until it has committed, and two writers of one
// row follow each other. Every lock lasts until the surrounding transaction ends; call them
// inside a data::Transaction, before the journal or the timesheet is written.
namespace timesheet {

// One timesheet row: worker, shift, month and year.
struct RowKey {
    int year = 0;
    int month = 0;
    int worker = 0;
    int shift = 0;
    auto operator<=>(const RowKey&) const = default;
};

RowKey rowKeyOf(int worker, int shift, const QDate& day);

// Before a rebuild deletes and writes the month. With progress, the wait for the month stays
// live and can be cancelled (data::lockForTransaction).
void lockMonthForRebuild(int month, int year, printing::WorkProgress* progress = nullptr);

// Before a journal change whose cells of these rows will be recalculated: the months first, then
// the rows, each in ascending order, so that two writers never wait for each other in a circle.
void lockRowsForRecalc(std::vector<RowKey> rows);

}  // namespace timesheet
