#include "data/book_fields.h"

#include "ui/format.h"

namespace data {

namespace {
QString operationPriceCell(const QVariant& value) {
    return value.isNull() ? QString() : ui::priceText(value.toDouble());
}

// A norm's price: two decimals, a third where it has one.
QString normPriceCell(const QVariant& price) {
    if (price.isNull() || !price.isValid())
        return {};
    return ui::formatMask(price.toDouble(), QStringLiteral("#0.00#"));
}

TableField hiddenKey(const char* field) {
    return {.field = QString::fromLatin1(field),
            .caption = QString::fromLatin1(field),
            .grid = GridLook{.hidden = true}};
}
}  // namespace

const TableFields& workerFields() {
    static const TableFields fields{
        {.field = QStringLiteral("fio"),
         .caption = QStringLiteral("ФИО"),
         .grid = GridLook{.width = 330},
         .compared = 1,
         .recorded = 1},
        // The editor writes its "Подразделение" choice here.
        {.field = QStringLiteral("s_staffpos_hl"),
         .caption = QStringLiteral("Подразделение"),
         .grid = GridLook{.caption = QStringLiteral("Должность")},
         .compared = 2,
         .recorded = 2,
         .recordedCaption = QStringLiteral("Должность")},
    };
    return fields;
}

const TableFields& productFields() {
    static const TableFields fields{
        {.field = QStringLiteral("marka"),
         .caption = QStringLiteral("Марка"),
         .grid = GridLook{.width = 260, .caption = QStringLiteral("Марка изделия")},
         .compared = 1,
         .recorded = 1,
         .recordedAs = QStringLiteral("s_caption")},
        {.field = QStringLiteral("massa"),
         .caption = QStringLiteral("Расценка"),
         .format = ui::shortestFloatOrEmpty,
         .grid = GridLook{.alignment = kAlignRight, .caption = QStringLiteral("Коробки")},
         .compared = 2,
         .recorded = 2},
    };
    return fields;
}

const TableFields& operationKindFields() {
    static const TableFields fields{
        {.field = QStringLiteral("vid"),
         .caption = QStringLiteral("Операция"),
         .grid = GridLook{.caption = QStringLiteral("Операции")},
         .compared = 1,
         .recorded = 1,
         .recordedCaption = QStringLiteral("Вид операции")},
    };
    return fields;
}

const TableFields& operationFields() {
    static const TableFields fields{
        {.field = QStringLiteral("marka"),
         .caption = QStringLiteral("Марка изделия"),
         .grid = GridLook{.width = 200, .caption = QStringLiteral("Марка")},
         .compared = 1,
         .key = QStringLiteral("i_id"),
         .recorded = 1,
         .recordedAs = QStringLiteral("i_id"),
         .recordedCaption = QStringLiteral("Марка изделия (код)")},
        {.field = QStringLiteral("vid"),
         .caption = QStringLiteral("Операция"),
         .grid = GridLook{.width = 230, .caption = QStringLiteral("Опреция")},
         .compared = 2,
         .key = QStringLiteral("oper_vid"),
         .recorded = 2,
         .recordedAs = QStringLiteral("vid"),
         .recordedCaption = QStringLiteral("Операция (код)")},
        {.field = QStringLiteral("cena"),
         .caption = QStringLiteral("Цена (min)"),
         .format = operationPriceCell,
         .grid = GridLook{.width = 90, .alignment = kAlignRight}},
        {.field = QStringLiteral("nmn"),
         .caption = QStringLiteral("Вид"),
         .grid = GridLook{.width = 140}},
        {.field = QStringLiteral("norma"),
         .caption = QStringLiteral("Нормы (шт.)"),
         .grid = GridLook{.width = 90, .alignment = kAlignRight}},
        hiddenKey("id"),
        hiddenKey("i_id"),
        hiddenKey("oper_vid"),
        // Not in the grid: finished goods or blanks, and the stored price.
        {.field = QStringLiteral("naimen"),
         .caption = QStringLiteral("Вид"),
         .compared = 3,
         .recorded = 3},
        {.field = QStringLiteral("cena_new"), .caption = QStringLiteral("Цена"), .recorded = 4},
    };
    return fields;
}

const TableFields& normFields() {
    static const TableFields fields{
        {.field = QStringLiteral("norma"),
         .caption = QStringLiteral("Норматив"),
         .grid = GridLook{.alignment = kAlignRight},
         .compared = 1,
         .recorded = 2},
        // Compared in full (price_value): the grid shows three decimals of it.
        {.field = QStringLiteral("price"),
         .caption = QStringLiteral("Цена"),
         .format = normPriceCell,
         .grid = GridLook{.alignment = kAlignRight},
         .compared = 2,
         .key = QStringLiteral("price_value"),
         .recorded = 4},
        {.field = QStringLiteral("prize"),
         .caption = QStringLiteral("Премия, %"),
         .grid = GridLook{.alignment = kAlignRight},
         .compared = 3,
         .recorded = 3},
        {.field = QStringLiteral("o_id"),
         .caption = QStringLiteral("Операция (код)"),
         .recorded = 1},
    };
    return fields;
}

}  // namespace data
