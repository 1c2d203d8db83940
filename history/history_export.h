#pragma once

#include <QString>
#include <vector>

class SpreadsheetBridge;
namespace data {
class Dataset;
struct GridColumn;
}  // namespace data
namespace printing {
class WorkProgress;
}

namespace history {

// Writes the open history rows into a new workbook of the bridge as the window's grid shows
// them: a bold header of the visible columns' titles, then each row's display texts, kept as
// text, and saves it. Returns the saved workbook for the window to show;
// exporting::ExportError, writing nothing, when no workbook could be opened or saved whole.
// With watch, the window stays live while the rows are written and saved, and a cancel leaves no
// workbook (printing::WorkCancelled).
QString writeHistory(data::Dataset& rows, const std::vector<data::GridColumn>& columns,
                     SpreadsheetBridge& bridge, printing::WorkProgress* watch = nullptr);

}  // namespace history
