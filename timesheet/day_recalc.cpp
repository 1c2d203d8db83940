#include "timesheet/day_recalc.h"

#include "data/data_module.h"
#include "data/transaction.h"
#include "timesheet/month_lock.h"

#include <QStringList>

namespace timesheet {

namespace {

qint64 rowCount(data::SharedData& db, const DayCell& c) {
    return db.countOf(recalc::countStatement(c.w, c.s, c.day));
}

int writeCell(data::SharedData& db, const QString& sql) {
    db.timesheetInsert.setSql(sql);
    return db.timesheetInsert.exec();
}

// Updates the cell; when no row took the update, inserts one if `insertWhenMissing`.
void updateOrInsert(data::SharedData& db, const DayCell& c, qint64 sum, bool insertWhenMissing) {
    if (writeCell(db, recalc::updateStatement(c.w, c.s, c.day, sum)) == 0 && insertWhenMissing)
        writeCell(db, recalc::insertStatement(c.w, c.s, c.day, sum));
}

}  // namespace

void lockDayCells(const std::vector<DayCell>& cells) {
    std::vector<RowKey> rows;
    for (const DayCell& c : cells) {
        if (c.day.isValid())
            rows.push_back(rowKeyOf(c.w, c.s, c.day));
    }
    lockRowsForRecalc(std::move(rows));
}

qint64 journalDayHours(data::SharedData& db, const DayCell& c) {
    // The sum is grouped, so no row means no hours.
    return db.readOneRow(recalc::daySumStatement(c.w, c.s, c.day), [](const data::Dataset& q) {
        return q.isEmpty() ? qint64(0) : q.asInt64(QStringLiteral("tim"));
    });
}

void writeDayCell(data::SharedData& db, const DayCell& c, qint64 hours) {
    if (rowCount(db, c) == 0)
        writeCell(db, recalc::insertStatement(c.w, c.s, c.day, hours));
    else
        updateOrInsert(db, c, hours, true);
}

void followLeftDay(data::SharedData& db, const DayCell& c) {
    const qint64 sum = journalDayHours(db, c);
    // 0 when no hours are left, so the deleted hours leave the cell and the other days keep
    // theirs; a worker without a row and without hours that day gets none.
    updateOrInsert(db, c, sum, sum > 0);
}

std::vector<DayState> dayStates(const std::vector<DayCell>& cells) {
    data::Dataset answer(QStringLiteral("ShiftCheck"));
    answer.setSql(recalc::daysStatement(cells));
    answer.open();
    const data::CloseAtScopeEnd closing(answer);
    std::vector<DayState> states;
    for (answer.first(); !answer.eof(); answer.next())
        states.push_back(
            {answer.asInt64(QStringLiteral("tim")), answer.asInt64(QStringLiteral("cnt"))});
    return states;
}

void writeDayCells(data::SharedData& db, const std::vector<DayCell>& cells,
                   const std::vector<DayState>& states) {
    QStringList writes;
    for (std::size_t i = 0; i < cells.size(); ++i) {
        const DayCell& c = cells[i];
        const qint64 hours = states[i].hours;
        writes << (states[i].timesheetRows == 0 ? recalc::insertStatement(c.w, c.s, c.day, hours)
                                                : recalc::updateStatement(c.w, c.s, c.day, hours));
    }
    if (writes.isEmpty())
        return;
    // Sent together: one round trip for every cell.
    writeCell(db, writes.join(QStringLiteral(";\n")));
}

void recalcDay(data::SharedData& db, int w, int s, const QDate& day) {
    data::Transaction transaction;
    lockDayCells({{w, s, day}});
    writeDayCell(db, {w, s, day}, journalDayHours(db, {w, s, day}));
    transaction.commit();
}

void recalcDayAfterDeletion(data::SharedData& db, int w, int s, const QDate& day) {
    data::Transaction transaction;
    lockDayCells({{w, s, day}});
    followLeftDay(db, {w, s, day});
    transaction.commit();
}

}  // namespace timesheet
