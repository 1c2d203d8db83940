#include "refbooks/price_list_export.h"

#include "data/dataset.h"
#include "data/product_kind.h"
#include "export/spreadsheet_bridge.h"
#include "export/watched_export.h"
#include "ui/format.h"

namespace refbooks {

QString writePriceList(const data::Dataset& prices, SpreadsheetBridge& bridge,
                       printing::WorkProgress* watch) {
    const int mark = prices.checkedField(QStringLiteral("MARKA"));
    const int kind = prices.checkedField(QStringLiteral("VID"));
    const int price = prices.checkedField(QStringLiteral("cena"));
    const int productKind = prices.checkedField(QStringLiteral("naimen"));
    bridge.open();
    const exporting::UnsavedWorkbook unsaved(bridge);
    exporting::RowWatch rows(watch);
    bridge.write(1, 1, 1, QStringLiteral("Марка"));
    bridge.write(1, 2, 1, QStringLiteral("Операция"));
    bridge.write(1, 3, 1, QStringLiteral("Цена"));
    bridge.write(1, 4, 1, QStringLiteral("Вид"));
    for (int r = 0; r < prices.recordCount(); ++r) {
        const int sheetRow = r + 2;
        bridge.write(1, 1, sheetRow, prices.valueAt(r, mark).toString());
        bridge.write(1, 2, sheetRow, prices.valueAt(r, kind).toString());
        bridge.write(1, 3, sheetRow, ui::shortestFloat(prices.valueAt(r, price).toDouble()));
        bridge.write(1, 4, sheetRow, data::productKindText(prices.valueAt(r, productKind).toInt()));
        rows.rowWritten();
    }
    return exporting::saveWatched(bridge, watch);
}

}  // namespace refbooks
