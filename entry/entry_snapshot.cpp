#include "entry/entry_snapshot.h"

#include "data/dataset.h"
#include "data/sql_text.h"
#include "entry/entry_statements.h"
#include "refbooks/operations_statements.h"
#include "ui/format.h"

namespace entry {

const data::ShownFields& shownEntryFields() {
    static const data::ShownFields fields{
        {QStringLiteral("fio"), QStringLiteral("ФИО"), QStringLiteral("w_id")},
        {QStringLiteral("operation"), QStringLiteral("Операция"), QStringLiteral("o_id")},
        {QStringLiteral("kol_vo"), QStringLiteral("Кол-во")},
        {QStringLiteral("time"), QStringLiteral("Время")},
        {QStringLiteral("color"), QStringLiteral("Цвет")},
        {QStringLiteral("data"), QStringLiteral("Дата")},
        {QStringLiteral("brak"), QStringLiteral("Брак")},
        {QStringLiteral("cena"), QStringLiteral("Цена итог")},
        {QStringLiteral("smena"), QStringLiteral("Смена")},
    };
    return fields;
}

data::RowSnapshot shownEntry(const data::Dataset& row) {
    auto text = [&row](const char* field) {
        return row.text(QString::fromLatin1(field)).trimmed();
    };
    const QString kind = text("vid");
    return {
        {QStringLiteral("w_id"), text("w_id")},
        {QStringLiteral("fio"), text("fio")},
        {QStringLiteral("o_id"), text("o_id")},
        {QStringLiteral("i_id"), text("i_id")},  // the operation's product, taken with it
        {QStringLiteral("operation"),
         refbooks::operations::operationText(text("marka"), row.text(QStringLiteral("vid")),
                                             row.asInt(QStringLiteral("naimen")))},
        {QStringLiteral("kol_vo"), text("kol_vo")},
        {QStringLiteral("time"), QString::number(row.asInt(QStringLiteral("time")))},
        // Only a paint operation shows its colour.
        {QStringLiteral("color"), isPaintOperation(kind) ? text("color") : QString()},
        {QStringLiteral("data"), ui::dateText(entryDate(row))},
        {QStringLiteral("brak"), text("brak")},
        {QStringLiteral("cena"), ui::priceText(row.asDouble(QStringLiteral("cena")))},
        // The price in full, for an editor that takes the stored one (the text is rounded).
        {QStringLiteral("cena_value"),
         QString::number(row.asDouble(QStringLiteral("cena")), 'g', 17)},
        {QStringLiteral("smena"), text("smena")},
    };
}

QString lockedEntryStatement(qint64 id) {
    return data::sqlLines({
               "select smena.id, smena.data, smena.smena, smena.w_id, smena.i_id, smena.o_id, "
               "smena.cena, smena.kol_vo::numeric, smena.brak, smena.color, smena.time,",
               "(select person.s_caption from cmn_contractor.person person where "
               "person.id=smena.w_id or person.s_code::t_id=smena.w_id order by person.id limit 1) "
               "fio,",
               "izdel.marka, vid_oper.vid, oper.naimen",
               "from accounts_dep.smena smena",
               "left join accounts_dep.oper oper on oper.id=smena.o_id",
               "left join accounts_dep.izdel izdel on izdel.id=smena.i_id",
               "left join accounts_dep.vid_oper vid_oper on vid_oper.id=oper.vid",
           }) +
           QStringLiteral("\nwhere smena.id=") + QString::number(id) +
           QStringLiteral(" for update of smena");
}

data::GuardedRow guardedEntry(qint64 id) {
    return {lockedEntryStatement(id), shownEntry, shownEntryFields()};
}

}  // namespace entry
