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
