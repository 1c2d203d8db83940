#include "data/journal_fields.h"

#include "ui/format.h"

namespace data {

namespace {
QString momentCell(const QVariant& v) {
    return v.isNull() ? QString() : ui::momentText(v.toDateTime());
}
}  // namespace

const TableFields& journalFields() {
    // In the grid's order; the history names the stored columns, keys by their codes.
    static const TableFields fields{
        {.field = QStringLiteral("fio"),
         .caption = QStringLiteral("ФИО"),
         .grid = GridLook{.width = 230, .caption = QStringLiteral("Фамилия И.О.")},
         .compared = 1,
         .key = QStringLiteral("w_id"),
         .recorded = 3,
         .recordedAs = QStringLiteral("w_id"),
         .recordedCaption = QStringLiteral("ФИО (код)")},
        {.field = QStringLiteral("marka"),
         .caption = QStringLiteral("Марка изделия"),
         .grid = GridLook{.width = 110}},
        {.field = QStringLiteral("vid"),
         .caption = QStringLiteral("Операция"),
         .grid = GridLook{.width = 165}},
        {.field = QStringLiteral("nmn"),
         .caption = QStringLiteral("Вид"),
         .grid = GridLook{.width = 130}},
        {.field = QStringLiteral("color"),
         .caption = QStringLiteral("Цвет"),
         .grid = GridLook{.width = 45, .alignment = kAlignCentre},
         .compared = 5,
         .recorded = 10},
        {.field = QStringLiteral("time"),
         .caption = QStringLiteral("Время"),
         .grid = GridLook{.width = 45, .alignment = kAlignRight, .caption = QStringLiteral("Часы")},
         .compared = 4,
         .recorded = 8},
        {.field = QStringLiteral("kol_vo"),
         .caption = QStringLiteral("Кол-во"),
         .format = ui::shortestFloatOrEmpty,
         .grid = GridLook{.width = 60, .alignment = kAlignRight},
         .compared = 3,
         .recorded = 6},
        {.field = QStringLiteral("brak"),
         .caption = QStringLiteral("Брак"),
         .grid = GridLook{.width = 45, .alignment = kAlignRight},
         .compared = 7,
         .recorded = 7},
        {.field = QStringLiteral("summa"),
         .caption = QStringLiteral("Итого (р.)"),
         .format = ui::shortestFloatOrEmpty,
         .grid = GridLook{.width = 80, .alignment = kAlignRight}},
        {.field = QStringLiteral("prize"),
         .caption = QStringLiteral("Премия (%)"),
         .format = ui::shortestFloatOrEmpty,
         .grid = GridLook{.width = 70, .hidden = true}},
        {.field = QStringLiteral("ok"),
         .caption = QStringLiteral("OK"),
         .grid = GridLook{.width = 40, .alignment = kAlignCentre},
         .recorded = 11},
        {.field = QStringLiteral("vvod"),
         .caption = QStringLiteral("Заведен"),
         .format = momentCell,
         .grid = GridLook{.width = 135, .alignment = kAlignCentre},
         .recorded = 12},
        // Not in the grid: the editor's and the history's.
        {.field = QStringLiteral("operation"),
         .caption = QStringLiteral("Операция"),
         .compared = 2,
         .key = QStringLiteral("o_id"),
         .recorded = 5,
         .recordedAs = QStringLiteral("o_id"),
         .recordedCaption = QStringLiteral("Операция (код)")},
        {.field = QStringLiteral("i_id"),
         .caption = QStringLiteral("Изделие (код)"),
         .recorded = 4},
        {.field = QStringLiteral("data"),
         .caption = QStringLiteral("Дата"),
         .compared = 6,
         .recorded = 1},
        {.field = QStringLiteral("cena"),
         .caption = QStringLiteral("Цена итог"),
         .compared = 8,
         .recorded = 9},
        {.field = QStringLiteral("smena"),
         .caption = QStringLiteral("Смена"),
         .compared = 9,
         .recorded = 2},
    };
    return fields;
}

}  // namespace data
