#include "timesheet/month_export.h"

#include "data/dataset.h"
#include "export/spreadsheet_bridge.h"
#include "timesheet/month_totals.h"

#include <array>

namespace timesheet {

bool exportMonthTotals(SpreadsheetBridge& bridge, const data::Dataset& hTabel, const QString& title,
                       const std::function<void(int done, int total)>& progress) {
    if (bridge.OpenWorkbook(QString()) == -1)
        return false;
    bridge.SetVisible(0);
    const int n = hTabel.recordCount();
    progress(0, n);

    bridge.WriteCell(1, 1, 1, title, true, true, true);
    bridge.WriteCell(1, 1, 2, QStringLiteral("Фамилия И.О."), true, true, true);
    for (int d = 1; d <= 31; ++d)
        bridge.WriteCell(1, d + 1, 2, QString::number(d), false, true, true);
    bridge.WriteCell(1, 33, 2, QStringLiteral("Итого"), true, true, true);

    const int fioField = hTabel.fieldIndex(QStringLiteral("fio"));
    std::array<int, 31> dayFields{};
    for (int d = 1; d <= 31; ++d)
        dayFields[d - 1] = hTabel.fieldIndex(daySumField(d));
    for (int i = 0; i < n; ++i) {
        const int r = i + 3;
        bridge.WriteCell(1, 1, r, hTabel.valueAt(i, fioField).toString(), true, true, false);
        qint64 total = 0;
        for (int d = 1; d <= 31; ++d) {
            const qint64 hours = hTabel.valueAt(i, dayFields[d - 1]).toLongLong();  // NULL: 0
            total += hours;
            bridge.WriteCell(1, d + 1, r, QString::number(hours), false, true, false);
        }
        bridge.WriteCell(1, 33, r, QString::number(total), false, true, false);
        progress(i + 1, n);
    }
    return bridge.SetVisible(1) == 1;
}

}  // namespace timesheet
