#include "entry/timesheet_recalc.h"

#include "data/data_module.h"
#include "data/transaction.h"
#include "entry/timesheet_recalc_statements.h"

namespace {

int daySum(data::SharedData& db, int w, int s, const QDate& day) {
    // The sum is grouped, so no row means no hours.
    return db.readControl(recalc::daySumStatement(w, s, day), [](const data::Dataset& q) {
        return q.isEmpty() ? 0 : q.asInt(QStringLiteral("tim"));
    });
}

int rowCount(data::SharedData& db, int w, int s, const QDate& day) {
    return static_cast<int>(db.controlCount(recalc::countStatement(w, s, day)));
}

void writeCell(data::SharedData& db, const QString& sql) {
    db.H_Tabel_ins.setSql(sql);
    db.H_Tabel_ins.exec();
}

}  // namespace

void RecalcTimesheetDay(data::SharedData& db, int w, int s, const QDate& day) {
    data::Transaction transaction;
    // Two workstations saving a worker's first entries of a month must not both insert the row.
    data::lockForTransaction(
        QStringLiteral("h_tabel:%1:%2:%3:%4").arg(w).arg(s).arg(day.month()).arg(day.year()));
    const int count = rowCount(db, w, s, day);
    const int sum = daySum(db, w, s, day);
    writeCell(db, count == 0 ? recalc::insertStatement(w, s, day, sum)
                             : recalc::updateStatement(w, s, day, sum));
    transaction.commit();
}

void RecalcTimesheetDayAfterDeletion(data::SharedData& db, int w, int s, const QDate& day) {
    // The update writes 0 when no hours are left, so the deleted hours leave the cell and the
    // other days keep theirs; a worker without a row for the month gets none.
    writeCell(db, recalc::updateStatement(w, s, day, daySum(db, w, s, day)));
}
