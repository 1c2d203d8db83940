#include "entry/timesheet_recalc.h"

#include "data/data_module.h"
#include "data/transaction.h"
#include "entry/timesheet_recalc_statements.h"
#include "timesheet/month_lock.h"

namespace {

int rowCount(data::SharedData& db, int w, int s, const QDate& day) {
    return static_cast<int>(db.countOf(recalc::countStatement(w, s, day)));
}

int writeCell(data::SharedData& db, const QString& sql) {
    db.timesheetInsert.setSql(sql);
    return db.timesheetInsert.exec();
}

// Updates the cell; when no row took the update, inserts one if `insertWhenMissing`.
void updateOrInsert(data::SharedData& db, int w, int s, const QDate& day, qint64 sum,
                    bool insertWhenMissing) {
    if (writeCell(db, recalc::updateStatement(w, s, day, sum)) == 0 && insertWhenMissing)
        writeCell(db, recalc::insertStatement(w, s, day, sum));
}

}  // namespace

qint64 journalDayHours(data::SharedData& db, int w, int s, const QDate& day) {
    // The sum is grouped, so no row means no hours.
    return db.readOneRow(recalc::daySumStatement(w, s, day), [](const data::Dataset& q) {
        return q.isEmpty() ? qint64(0) : q.asInt64(QStringLiteral("tim"));
    });
}

void writeDayCell(data::SharedData& db, int w, int s, const QDate& day, qint64 sum) {
    writeDayCell(db, w, s, day, sum, rowCount(db, w, s, day));
}

void writeDayCell(data::SharedData& db, int w, int s, const QDate& day, qint64 sum,
                  qint64 rowsThere) {
    if (rowsThere == 0)
        writeCell(db, recalc::insertStatement(w, s, day, sum));
    else
        updateOrInsert(db, w, s, day, sum, true);
}

void RecalcTimesheetDay(data::SharedData& db, int w, int s, const QDate& day) {
    data::Transaction transaction;
    timesheet::lockRowsForRecalc({timesheet::rowKeyOf(w, s, day)});
    writeDayCell(db, w, s, day, journalDayHours(db, w, s, day));
    transaction.commit();
}

void RecalcTimesheetDayAfterDeletion(data::SharedData& db, int w, int s, const QDate& day) {
    data::Transaction transaction;
    timesheet::lockRowsForRecalc({timesheet::rowKeyOf(w, s, day)});
    const qint64 sum = journalDayHours(db, w, s, day);
    // 0 when no hours are left, so the deleted hours leave the cell and the other days keep
    // theirs; a worker without a row and without hours that day gets none.
    updateOrInsert(db, w, s, day, sum, sum > 0);
    transaction.commit();
}
