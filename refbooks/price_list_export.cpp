#include "refbooks/price_list_export.h"

#include "data/dataset.h"
#include "data/product_kind.h"
#include "export/spreadsheet_bridge.h"
#include "ui/format.h"

namespace refbooks {

QString writePriceList(const data::Dataset& rows, SpreadsheetBridge& bridge) {
    const int mark = rows.checkedField(QStringLiteral("MARKA"));
    const int kind = rows.checkedField(QStringLiteral("VID"));
    const int price = rows.checkedField(QStringLiteral("cena"));
    const int naimen = rows.checkedField(QStringLiteral("naimen"));
    bridge.open();
    bridge.write(1, 1, 1, QStringLiteral("Марка"));
    bridge.write(1, 2, 1, QStringLiteral("Операция"));
    bridge.write(1, 3, 1, QStringLiteral("Цена"));
    bridge.write(1, 4, 1, QStringLiteral("Вид"));
    for (int r = 0; r < rows.recordCount(); ++r) {
        const int sheetRow = r + 2;
        bridge.write(1, 1, sheetRow, rows.valueAt(r, mark).toString());
        bridge.write(1, 2, sheetRow, rows.valueAt(r, kind).toString());
        bridge.write(1, 3, sheetRow, ui::shortestFloat(rows.valueAt(r, price).toDouble()));
        bridge.write(1, 4, sheetRow, data::productKindText(rows.valueAt(r, naimen).toInt()));
    }
    return bridge.save();
}

}  // namespace refbooks
