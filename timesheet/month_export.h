#pragma once

#include <QString>
#include <functional>

class SpreadsheetBridge;
namespace data {
class Dataset;
}
namespace printing {
class WorkProgress;
}

namespace timesheet {

// Writes the open H_Tabel rows into a new workbook of the bridge: the title in row 1, the column
// titles in row 2, one row per worker from row 3 with every day column and the row total.
// progress(done, total) runs before the first worker and after each one. Returns the saved
// workbook for the window to show; exporting::ExportError, having saved nothing, when no
// workbook could be opened or saved whole. With watch, the window stays live while the rows are
// written and saved, and a cancel leaves no workbook (printing::WorkCancelled).
QString exportMonthTotals(SpreadsheetBridge& bridge, const data::Dataset& shiftTimesheet,
                          const QString& title,
                          const std::function<void(int done, int total)>& progress,
                          printing::WorkProgress* watch = nullptr);

}  // namespace timesheet
