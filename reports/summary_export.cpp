#include "reports/summary_export.h"

#include "data/dataset.h"
#include "data/product_kind.h"
#include "export/spreadsheet_bridge.h"
#include "reports/report_texts.h"
#include "ui/format.h"

namespace reports {

QString writeProductionSummary(data::Dataset& rows, SpreadsheetBridge& bridge,
                               const std::function<void(int, int)>& progress) {
    // The fields written, resolved before the workbook is begun: a field the statement lacks is
    // refused, never written as blank cells.
    for (const char* field : {"nom", "vid", "color", "naimen", "mass", "kolvo"})
        rows.checkedField(QString::fromLatin1(field));
    bridge.open();

    const int total = rows.recordCount();
    progress(0, total);

    // Values as they are (no text format, no bold); every column fits its widest text.
    auto write = [&bridge](int column, int row, const QString& text) {
        bridge.write(1, column, row, text, {.fitColumn = true});
    };
    const QChar separator = ui::decimalSeparator();
    rows.first();
    const QString header[] = {QStringLiteral("Наименование"), QStringLiteral("Операция"),
                              QStringLiteral("Вид продукции"), QStringLiteral("Коробки"),
                              QStringLiteral("Кол-во")};
    for (int column = 1; column <= 5; ++column)
        write(column, 1, header[column - 1]);

    int r = 2;
    while (!rows.eof()) {
        write(1, r, rows.text(QStringLiteral("nom")));
        write(2, r,
              summaryOperationText(rows.text(QStringLiteral("vid")),
                                   rows.asInt(QStringLiteral("color"))));
        write(3, r, data::productKindText(rows.asInt(QStringLiteral("naimen"))));
        write(4, r, ui::shortestFloat(rows.asDouble(QStringLiteral("mass")), separator));
        write(5, r, QString::number(rows.asInt64(QStringLiteral("kolvo"))));
        rows.next();
        progress(r - 1, total);
        ++r;
    }

    return bridge.save();
}

}  // namespace reports
