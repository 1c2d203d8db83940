#pragma once

#include <QString>
#include <vector>

class SpreadsheetBridge;
namespace data {
class Dataset;
struct GridColumn;
}  // namespace data

namespace history {

// Writes the open history rows into a new workbook of the bridge as the window's grid shows
// them: a bold header of the visible columns' titles, then each row's display texts, kept as
// text, and saves it. Returns the saved workbook for the window to show;
// exporting::ExportError, writing nothing, when no workbook could be opened or saved whole.
QString writeHistory(data::Dataset& rows, const std::vector<data::GridColumn>& columns,
                     SpreadsheetBridge& bridge);

}  // namespace history
