#pragma once

#include <QString>

class SpreadsheetBridge;
namespace data {
class Dataset;
}

namespace refbooks {

// Writes the price list from the open query XLS_Rep (refbooks::operations::priceList) into a new
// workbook of the bridge: "Марка", "Операция", "Цена", "Вид", then one row per operation, and
// saves it. Returns the saved workbook for the window to show. The query's fields are resolved
// before the workbook is begun: one it lacks is refused (data::DbError), nothing written.
QString writePriceList(const data::Dataset& rows, SpreadsheetBridge& bridge);

}  // namespace refbooks
