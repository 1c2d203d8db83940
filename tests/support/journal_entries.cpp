#include "journal_entries.h"

#include "data/sql_text.h"
#include "test_database.h"

namespace testdb {

namespace {

QString orNull(const std::optional<int>& value) {
    return value ? QString::number(*value) : QStringLiteral("NULL");
}

QString orNull(const std::optional<double>& value) {
    return value ? QString::number(*value, 'g', 15) : QStringLiteral("NULL");
}

}  // namespace

void addOneOperationPlant(const QStringList& workers) {
    for (const QString& name : workers)
        exec(QStringLiteral("insert into accounts_dep.person(fio) values (%1)")
                 .arg(data::quotedLiteral(name)));
    exec(
        "insert into cmn_gds_and_srv.gds_and_srv(s_caption, id_msm_bs) values ('М-1', 6);"
        "insert into accounts_dep.vid_oper(vid) values ('Сборка');"
        "insert into accounts_dep.oper(vid, naimen, i_id) values (1, 0, 1)");
}

int addJournalEntry(const JournalEntry& e) {
    const QString ok = e.ok ? data::quotedLiteral(*e.ok) : QStringLiteral("NULL");
    return scalar(QStringLiteral("insert into accounts_dep.smena(data, smena, w_id, i_id, o_id, "
                                 "kol_vo, brak, cena, color, time, ok, prize) values ('%1', %2, "
                                 "%3, %4, %5, %6, %7, %8, %9, %10, %11, %12) returning id")
                      .arg(e.date.toString(Qt::ISODate))
                      .arg(e.shift)
                      .arg(e.worker)
                      .arg(orNull(e.product), orNull(e.operation), orNull(e.quantity),
                           orNull(e.defects), orNull(e.price), orNull(e.colour), orNull(e.hours),
                           ok, orNull(e.prize)))
        .toInt();
}

}  // namespace testdb
