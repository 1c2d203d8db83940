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

namespace reports {

// Writes the production summary from the open query XLS_Rep (its rows after the filter, in query
// order) into a new workbook of the bridge: a header row, then one row per query row, and saves
// it. progress(k, n) is called with k = 0 before the first row and after every row written.
// Returns the saved workbook for the window to show; exporting::ExportError, saving nothing, when
// no workbook could be opened or saved whole. With watch, the window stays live while the rows
// are written and saved, and a cancel leaves no workbook (printing::WorkCancelled).
QString writeProductionSummary(data::Dataset& rows, SpreadsheetBridge& bridge,
                               const std::function<void(int written, int total)>& progress,
                               printing::WorkProgress* watch = nullptr);

}  // namespace reports
