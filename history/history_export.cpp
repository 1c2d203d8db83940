#include "history/history_export.h"

#include "data/dataset.h"
#include "data/dataset_model.h"
#include "export/spreadsheet_bridge.h"

namespace history {

QString writeHistory(data::Dataset& rows, const std::vector<data::GridColumn>& columns,
                     SpreadsheetBridge& bridge) {
    // The shown columns resolved before the workbook is begun: a field the statement lacks is
    // refused, never written as blank cells.
    std::vector<std::pair<const data::GridColumn*, int>> shown;
    for (const data::GridColumn& c : columns)
        if (!c.hidden)
            shown.emplace_back(&c, rows.checkedField(c.field));
    bridge.open();
    int column = 1;
    for (const auto& [c, field] : shown)
        bridge.write(1, column++, 1, c->caption, {.asText = true, .fitColumn = true, .bold = true});
    const int count = rows.recordCount();
    for (int i = 0; i < count; ++i) {
        column = 1;
        for (const auto& [c, field] : shown) {
            const QVariant v = rows.valueAt(i, field);
            bridge.write(1, column++, i + 2, c->format ? c->format(v) : v.toString(),
                         {.asText = true, .fitColumn = true});
        }
    }
    return bridge.save();
}

}  // namespace history
