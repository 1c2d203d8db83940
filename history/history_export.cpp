#include "history/history_export.h"

#include "data/dataset.h"
#include "data/dataset_model.h"
#include "export/spreadsheet_bridge.h"
#include "export/watched_export.h"

namespace history {

QString writeHistory(data::Dataset& rows, const std::vector<data::GridColumn>& columns,
                     SpreadsheetBridge& bridge, printing::WorkProgress* watch) {
    bridge.open();
    const exporting::UnsavedWorkbook unsaved(bridge);
    exporting::RowWatch watched(watch);
    int column = 1;
    for (const data::GridColumn& c : columns)
        if (!c.hidden)
            bridge.write(1, column++, 1, c.caption,
                         {.asText = true, .fitColumn = true, .bold = true});
    int r = 2;
    for (rows.first(); !rows.eof(); rows.next(), ++r) {
        column = 1;
        for (const data::GridColumn& c : columns) {
            if (c.hidden)
                continue;
            const QVariant v = rows.value(c.field);
            bridge.write(1, column++, r, c.format ? c.format(v) : v.toString(),
                         {.asText = true, .fitColumn = true});
        }
        watched.rowWritten();
    }
    return exporting::saveWatched(bridge, watch);
}

}  // namespace history
