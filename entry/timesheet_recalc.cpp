#include "entry/timesheet_recalc.h"

#include "data/data_module.h"
#include "data/transaction.h"
#include "entry/timesheet_recalc_statements.h"
#include "timesheet/month_lock.h"

namespace {

int rowCount(int w, int s, const QDate& day) {
    return static_cast<int>(DataModule6->controlCount(recalc::countStatement(w, s, day)));
}

int writeCell(const QString& sql) {
    DataModule6->H_Tabel_ins.setSql(sql);
    return DataModule6->H_Tabel_ins.exec();
}

// Updates the cell; when no row took the update, inserts one if `insertWhenMissing`.
void updateOrInsert(int w, int s, const QDate& day, qint64 sum, bool insertWhenMissing) {
    if (writeCell(recalc::updateStatement(w, s, day, sum)) == 0 && insertWhenMissing)
        writeCell(recalc::insertStatement(w, s, day, sum));
}

}  // namespace

qint64 journalDayHours(int w, int s, const QDate& day) {
    // The sum is grouped, so no row means no hours.
    return DataModule6->readControl(recalc::daySumStatement(w, s, day), [](const data::Dataset& q) {
        return q.isEmpty() ? qint64(0) : q.asInt64(QStringLiteral("tim"));
    });
}

void RecalcTimesheetDay(int w, int s, const QDate& day) {
    data::Transaction transaction;
    timesheet::lockRowsForRecalc({timesheet::rowKeyOf(w, s, day)});
    const int count = rowCount(w, s, day);
    const qint64 sum = journalDayHours(w, s, day);
    if (count == 0)
        writeCell(recalc::insertStatement(w, s, day, sum));
    else
        updateOrInsert(w, s, day, sum, true);
    transaction.commit();
}

void RecalcTimesheetDayAfterDeletion(int w, int s, const QDate& day) {
    data::Transaction transaction;
    timesheet::lockRowsForRecalc({timesheet::rowKeyOf(w, s, day)});
    const qint64 sum = journalDayHours(w, s, day);
    // 0 when no hours are left, so the deleted hours leave the cell and the other days keep
    // theirs; a worker without a row and without hours that day gets none.
    updateOrInsert(w, s, day, sum, sum > 0);
    transaction.commit();
}
