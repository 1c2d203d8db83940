#include "entry/entry_snapshot.h"

#include "data/dataset.h"
#include "data/journal_fields.h"
#include "data/sql_text.h"
#include "entry/entry_statements.h"
#include "refbooks/operations_statements.h"
#include "ui/format.h"

namespace entry {

const data::ShownFields& shownEntryFields() {
    static const data::ShownFields fields = data::comparedFields(data::journalFields());
    return fields;
}

data::RowSnapshot shownEntry(const data::Dataset& row) {
    // The compared fields the editor shows otherwise than as their stored text.
    static const data::ShownTexts texts{
        {QStringLiteral("operation"),
         [](const data::Dataset& r) {
             return refbooks::operations::operationText(r.text(QStringLiteral("marka")).trimmed(),
                                                        r.text(QStringLiteral("vid")),
                                                        r.asInt(QStringLiteral("naimen")));
         }},
        {QStringLiteral("time"),
         [](const data::Dataset& r) { return QString::number(r.asInt(QStringLiteral("time"))); }},
        // Only a paint operation shows its colour.
        {QStringLiteral("color"),
         [](const data::Dataset& r) {
             return isPaintOperation(r.text(QStringLiteral("vid")).trimmed())
                        ? r.text(QStringLiteral("color")).trimmed()
                        : QString();
         }},
        {QStringLiteral("data"), [](const data::Dataset& r) { return ui::dateText(entryDate(r)); }},
        {QStringLiteral("cena"),
         [](const data::Dataset& r) { return ui::priceText(r.asDouble(QStringLiteral("cena"))); }},
    };
    data::RowSnapshot shown = data::comparedRow(data::journalFields(), row, texts);
    // The operation's product, taken with it.
    shown.insert(QStringLiteral("i_id"), row.text(QStringLiteral("i_id")).trimmed());
    // The price in full, for an editor that takes the stored one (the text is rounded).
    shown.insert(QStringLiteral("cena_value"),
                 QString::number(row.asDouble(QStringLiteral("cena")), 'g', 17));
    return shown;
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
