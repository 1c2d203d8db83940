#include "reports/summary_export.h"

#include "data/dataset.h"
#include "data/product_kind.h"
#include "export/spreadsheet_bridge.h"
#include "reports/report_texts.h"
#include "ui/format.h"

namespace reports {

bool writeProductionSummary(data::Dataset& rows, SpreadsheetBridge& bridge,
                            const std::function<void(int, int)>& progress) {
    if (bridge.OpenWorkbook(QString()) == -1)
        return false;

    const int total = rows.recordCount();
    progress(0, total);

    const QChar separator = ui::decimalSeparator();
    rows.first();
    const QString header[] = {QStringLiteral("Наименование"), QStringLiteral("Операция"),
                              QStringLiteral("Вид продукции"), QStringLiteral("Коробки"),
                              QStringLiteral("Кол-во")};
    for (int column = 1; column <= 5; ++column)
        bridge.WriteCell(1, column, 1, header[column - 1]);

    int r = 2;
    while (!rows.eof()) {
        bridge.WriteCell(1, 1, r, rows.text(QStringLiteral("nom")));
        bridge.WriteCell(1, 2, r,
                         summaryOperationText(rows.text(QStringLiteral("vid")),
                                              rows.asInt(QStringLiteral("color"))));
        bridge.WriteCell(1, 3, r, data::productKindText(rows.asInt(QStringLiteral("naimen"))));
        bridge.WriteCell(1, 4, r,
                         ui::shortestFloat(rows.asDouble(QStringLiteral("mass")), separator));
        bridge.WriteCell(1, 5, r, QString::number(rows.asInt64(QStringLiteral("kolvo"))));
        rows.next();
        progress(r - 1, total);
        ++r;
    }

    bridge.SetVisible(1);
    return true;
}

}  // namespace reports
