#include "timesheet/month_export.h"

#include "data/dataset.h"
#include "export/spreadsheet_bridge.h"
#include "export/watched_export.h"
#include "timesheet/month_totals.h"

#include <array>

namespace timesheet {

namespace {
// Every column fits its widest text; titles bold, names kept as text.
constexpr exporting::CellStyle kTitle{.asText = true, .fitColumn = true, .bold = true};
constexpr exporting::CellStyle kDayTitle{.fitColumn = true, .bold = true};
constexpr exporting::CellStyle kName{.asText = true, .fitColumn = true};
constexpr exporting::CellStyle kHours{.fitColumn = true};
}  // namespace

QString exportMonthTotals(SpreadsheetBridge& bridge, const data::Dataset& shiftTimesheet,
                          const QString& title,
                          const std::function<void(int done, int total)>& progress,
                          printing::WorkProgress* watch) {
    // Every field resolved before the workbook is begun: a field the statement lacks is refused,
    // never written as blank cells.
    const int nameField = shiftTimesheet.checkedField(QStringLiteral("fio"));
    std::array<int, 31> dayFields{};
    for (int d = 1; d <= 31; ++d)
        dayFields[d - 1] = shiftTimesheet.checkedField(daySumField(d));

    bridge.open();
    const exporting::UnsavedWorkbook unsaved(bridge);
    exporting::RowWatch rows(watch);
    const int n = shiftTimesheet.recordCount();
    progress(0, n);

    bridge.write(1, 1, 1, title, kTitle);
    bridge.write(1, 1, 2, QStringLiteral("Фамилия И.О."), kTitle);
    for (int d = 1; d <= 31; ++d)
        bridge.write(1, d + 1, 2, QString::number(d), kDayTitle);
    bridge.write(1, 33, 2, QStringLiteral("Итого"), kTitle);

    for (int i = 0; i < n; ++i) {
        const int r = i + 3;
        bridge.write(1, 1, r, shiftTimesheet.valueAt(i, nameField).toString(), kName);
        qint64 total = 0;
        for (int d = 1; d <= 31; ++d) {
            const qint64 hours =
                shiftTimesheet.valueAt(i, dayFields[d - 1]).toLongLong();  // NULL: 0
            total += hours;
            bridge.write(1, d + 1, r, QString::number(hours), kHours);
        }
        bridge.write(1, 33, r, QString::number(total), kHours);
        progress(i + 1, n);
        rows.rowWritten();
    }
    return exporting::saveWatched(bridge, watch);
}

}  // namespace timesheet
