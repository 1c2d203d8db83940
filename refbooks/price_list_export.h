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

// Writes the open price list (XLS_Rep, refbooks::operations::priceList, in its order) into a new
// workbook of the bridge: "Марка", "Операция", "Цена", "Вид", then one row per operation, and
// saves it. Returns the saved workbook for the window to show. The query's fields are resolved
// before the workbook is begun: one it lacks is refused (data::DbError), nothing written;
// exporting::ExportError, saving nothing, when no workbook could be opened or saved whole. With
// watch, the window stays live while the rows are written and saved, and a cancel leaves no
// workbook (printing::WorkCancelled).
QString writePriceList(const data::Dataset& prices, SpreadsheetBridge& bridge,
                       printing::WorkProgress* watch = nullptr);

}  // namespace refbooks
