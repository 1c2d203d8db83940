#pragma once

#include <QString>
#include <functional>

namespace data {
class SharedData;
}
namespace printing {
class WorkProgress;
}

namespace timesheet {

// Writes a month of the timesheet anew from the journal, all shifts with overtime: the month's
// rows are deleted, then one statement writes a row per shift and worker with entries in the
// month, each day column the day's sum of hours. One transaction that first takes the month
// from the per-entry recalculations (timesheet/month_lock.h), then the month's rows, refused at
// once when another session holds one (DbErrorKind::Busy): on any error nothing of it stays and
// the error propagates. afterStep(done, steps) runs after each of its statements, which run
// through the shared DelSmena and H_Tabel_ins. With progress, the month's lock, the deletion and
// the insert run so that progress stays live while the server works (data::runCancellable); once
// it is cancelled the server's statement stops at once, the transaction is rolled back (the
// timesheet as before) and printing::WorkCancelled propagates.
void rebuildMonth(data::SharedData& shared, int month, const QString& year,
                  const std::function<void(int done, int steps)>& afterStep,
                  printing::WorkProgress* progress = nullptr);

}  // namespace timesheet
