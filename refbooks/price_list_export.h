#pragma once

#include <QString>

class SpreadsheetBridge;
namespace data {
class Dataset;
}
namespace printing {
class WorkProgress;
}

namespace refbooks {

// Writes the open price list (XLS_Rep, in its order) into a new workbook of the bridge: a header
// row (mark, operation, price, product kind), then one row per operation, and saves it. Returns
// the saved workbook for the window to show; exporting::ExportError, saving nothing, when no
// workbook could be opened or saved whole. With watch, the window stays live while the rows are
// written and saved, and a cancel leaves no workbook (printing::WorkCancelled).
QString writePriceList(const data::Dataset& prices, SpreadsheetBridge& bridge,
                       printing::WorkProgress* watch = nullptr);

}  // namespace refbooks
