#pragma once

#include <QString>
#include <functional>

namespace data {
class SharedData;
}

namespace timesheet {

// Writes a month of the timesheet anew from the journal, all shifts with overtime: the month's
// rows are deleted, then one statement writes a row per shift and worker with entries in the
// month, each day column the day's sum of hours. One transaction that first takes the month
// from the per-entry recalculations (timesheet/month_lock.h), then the month's rows, refused at
// once when another session holds one (DbErrorKind::Busy): on any error nothing of it stays and
// the error propagates. afterStep(done, steps) runs after each of its statements, which run
// through the shared DelSmena and H_Tabel_ins.
void rebuildMonth(data::SharedData& shared, int month, const QString& year,
                  const std::function<void(int done, int steps)>& afterStep);

}  // namespace timesheet
