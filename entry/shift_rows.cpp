#include "entry/shift_rows.h"

#include "data/dataset.h"
#include "data/sql_text.h"
#include "refbooks/operations_statements.h"

#include <algorithm>

namespace entry::shift {

QString ShiftRow::goodsText() const {
    return productKind == 0 ? QStringLiteral("Готовая продукция") : QStringLiteral("Заготовки");
}

QString ShiftRow::operationText() const {
    return hasOperation() ? refbooks::operations::operationText(mark, kind, productKind)
                          : QString();
}

bool ShiftRow::isPaint() const {
    return isPaintOperation(operationText());
}

double finalPriceOf(const ShiftRow& row, const ShiftContext& context) {
    return refbooks::operations::finalPrice(row.basePrice, context.dayOff, context.shift);
}

double sumOf(const ShiftRow& row, const ShiftContext& context) {
    return row.quantity.toDouble() * finalPriceOf(row, context);
}

std::optional<QString> boxRefusal(const ShiftRow& row) {
    const EntryBoxes boxes{row.workerId != 0 ? row.worker : QString(),
                           row.operationText(),
                           row.quantity,
                           row.defects,
                           row.isPaint() ? row.colour : QString(),
                           row.hours};
    if (!isComplete(boxes))
        return QString::fromUtf8(kIncompleteMessage);
    if (!colourNumber(boxes.colour))
        return QString::fromUtf8(kBadColourMessage);
    return std::nullopt;
}

EntryValues valuesOf(const ShiftRow& row, const ShiftContext& context) {
    EntryValues v;
    v.workerId = row.workerId;
    v.productId = row.productId;
    v.operationId = row.operationId;
    v.price = finalPriceOf(row, context);
    v.quantity = row.quantity;
    v.defects = row.defects;
    v.hours = row.hours;
    v.date = context.date;
    v.shift = context.shift;
    v.colour = colourNumber(row.isPaint() ? row.colour : QString()).value_or(0);
    v.inputDate = context.inputDate;
    return v;
}

QString sourceShiftStatement(const QDate& day, int shift) {
    return data::sqlLines({
               "select smena.w_id, person.s_caption fio, smena.i_id, smena.o_id, izdel.marka, "
               "vid_oper.vid, oper.naimen, smena.color, smena.time,",
               "(select min(price)::numeric from accounts_dep.norm where norm.o_id=smena.o_id) "
               "cena",
               "from cmn_contractor.person person, "
               "accounts_dep.izdel,accounts_dep.oper,accounts_dep.smena,accounts_dep.vid_oper ",
               "where smena.i_id=izdel.id and smena.o_id=oper.id and (w_id=person.id or "
               "s_code::t_id=w_id) and oper.vid=vid_oper.id",
           }) +
           QStringLiteral("\nand smena.smena=") + QString::number(shift) +
           QStringLiteral(" and smena.data=to_date('") + data::sqlDate(day) +
           QStringLiteral("', 'DD.MM.YYYY') order by fio, smena.id");
}

QString lastShiftDayStatement(const QDate& before, int shift) {
    return QStringLiteral("select max(data) as data from accounts_dep.smena where smena=") +
           QString::number(shift) + QStringLiteral(" and data<to_date('") + data::sqlDate(before) +
           QStringLiteral("', 'DD.MM.YYYY')");
}

void readOperationFields(ShiftRow& row, const data::Dataset& source) {
    row.productId = source.asInt(QStringLiteral("i_id"));
    row.mark = source.text(QStringLiteral("marka")).trimmed();
    row.kind = source.text(QStringLiteral("vid")).trimmed();
    row.productKind = source.asInt(QStringLiteral("naimen"));
    row.basePrice = source.asDouble(QStringLiteral("cena"));
}

std::vector<ShiftRow> copiedRows(data::Dataset& source) {
    std::vector<ShiftRow> rows;
    rows.reserve(static_cast<std::size_t>(source.recordCount()));
    for (source.first(); !source.eof(); source.next()) {
        ShiftRow r;
        r.workerId = source.asInt(QStringLiteral("w_id"));
        r.worker = source.text(QStringLiteral("fio")).trimmed();
        r.operationId = source.asInt(QStringLiteral("o_id"));
        readOperationFields(r, source);
        r.hours = QString::number(source.asInt(QStringLiteral("time")));
        if (r.isPaint())
            r.colour = QString::number(source.asInt(QStringLiteral("color")));
        r.defects = QStringLiteral("0");
        rows.push_back(std::move(r));
    }
    return rows;
}

void sortByWorker(std::vector<ShiftRow>& rows) {
    std::stable_sort(rows.begin(), rows.end(), [](const ShiftRow& a, const ShiftRow& b) {
        return a.worker.localeAwareCompare(b.worker) < 0;
    });
}

}  // namespace entry::shift
