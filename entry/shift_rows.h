#pragma once

#include "entry/entry_statements.h"

#include <QDate>
#include <QString>
#include <optional>
#include <vector>

namespace data {
class Dataset;
}

// The rows of "Ввод смены": one new journal entry each, written together by entry::saveShift.
// Widget-free: the window shows and edits these rows, the rules and statements live here.
namespace entry::shift {

struct ShiftRow {
    int workerId = 0;
    QString worker;  // the worker's name as the journal shows it
    int operationId = 0;
    int productId = 0;
    QString mark;  // "Марка изделия"
    QString kind;  // the operation kind ("Операция")
    int productKind = 0;
    double basePrice = 0;  // the operation's base price, as the operations list gives it
    QString colour;        // digits, paint operations only
    QString quantity;
    QString defects = QStringLiteral("0");
    QString hours = QStringLiteral("0");

    bool hasOperation() const { return operationId != 0; }
    // "Готовая продукция" or "Заготовки".
    QString goodsText() const;
    // The operation as the entry editor shows it: mark "; " kind "; " finished/blank.
    QString operationText() const;
    bool isPaint() const;
};

// What every row of the shift shares: the journal's date and shift, its "Выходной" flag and the
// day of saving.
struct ShiftContext {
    QDate date;
    int shift = 1;
    bool dayOff = false;
    QDate inputDate;
};

// The final price per piece, as the entry editor works it out when the operation is picked.
double finalPriceOf(const ShiftRow& row, const ShiftContext& context);
// "Сумма" of the row: quantity times the final price (the defects do not count), as the editor.
double sumOf(const ShiftRow& row, const ShiftContext& context);

// The entry editor's refusals of its boxes: an empty required field, a colour that is no
// number. Nothing when the row can be handed to the save.
std::optional<QString> boxRefusal(const ShiftRow& row);

// The row as the save writes it (after boxRefusal passed).
EntryValues valuesOf(const ShiftRow& row, const ShiftContext& context);

// The entries of a date and shift to copy, one per journal row, by worker name: worker, product,
// operation, kind, colour, hours and the operation's base price.
QString sourceShiftStatement(const QDate& day, int shift);
// The last day before `before` with entries in the shift (column data, NULL when none).
QString lastShiftDayStatement(const QDate& before, int shift);
// The rows of an open answer of sourceShiftStatement: quantity and defects left to type.
std::vector<ShiftRow> copiedRows(data::Dataset& source);
// The operation's product, mark, kind, finished or blank and base price from the current row of
// a statement naming them as the operations query does (i_id, marka, vid, naimen, cena).
void readOperationFields(ShiftRow& row, const data::Dataset& source);

// Rows ordered by the worker's name; a worker's rows keep their order.
void sortByWorker(std::vector<ShiftRow>& rows);

}  // namespace entry::shift
