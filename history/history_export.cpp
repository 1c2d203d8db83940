#include "history/history_export.h"

#include "data/dataset.h"
#include "data/dataset_model.h"
#include "export/spreadsheet_bridge.h"

namespace history {

bool writeHistory(data::Dataset& rows, const std::vector<data::GridColumn>& columns,
                  SpreadsheetBridge& bridge) {
    if (bridge.OpenWorkbook(QString()) == -1)
        return false;
    int column = 1;
    for (const data::GridColumn& c : columns)
        if (c.visible)
            bridge.WriteCell(1, column++, 1, c.title, true, true, true);
    int r = 2;
    for (rows.first(); !rows.eof(); rows.next(), ++r) {
        column = 1;
        for (const data::GridColumn& c : columns) {
            if (!c.visible)
                continue;
            const QVariant v = rows.value(c.field);
            bridge.WriteCell(1, column++, r, c.format ? c.format(v) : v.toString(), true, true,
                             false);
        }
    }
    bridge.SetVisible(1);
    return true;
}

}  // namespace history
