#include "entry/timesheet_recalc.h"

#include "data/data_module.h"
#include "data/transaction.h"
#include "entry/timesheet_recalc_statements.h"

namespace {

int daySum(int w, int s, const QDate& day) {
    // The sum is grouped, so no row means no hours.
    return DataModule6->readControl(recalc::daySumStatement(w, s, day), [](const data::Dataset& q) {
        return q.isEmpty() ? 0 : q.asInt(QStringLiteral("tim"));
    });
}

int rowCount(int w, int s, const QDate& day) {
    return static_cast<int>(DataModule6->controlCount(recalc::countStatement(w, s, day)));
}

void writeCell(const QString& sql) {
    DataModule6->H_Tabel_ins.setSql(sql);
    DataModule6->H_Tabel_ins.exec();
}

}  // namespace

void RecalcTimesheetDay(int w, int s, const QDate& day) {
    data::Transaction transaction;
    // Two workstations saving a worker's first entries of a month must not both insert the row.
    data::lockForTransaction(
        QStringLiteral("h_tabel:%1:%2:%3:%4").arg(w).arg(s).arg(day.month()).arg(day.year()));
    const int count = rowCount(w, s, day);
    const int sum = daySum(w, s, day);
    writeCell(count == 0 ? recalc::insertStatement(w, s, day, sum)
                         : recalc::updateStatement(w, s, day, sum));
    transaction.commit();
}

void RecalcTimesheetDayAfterDeletion(int w, int s, const QDate& day) {
    // The update writes 0 when no hours are left, so the deleted hours leave the cell and the
    // other days keep theirs; a worker without a row for the month gets none.
    writeCell(recalc::updateStatement(w, s, day, daySum(w, s, day)));
}
