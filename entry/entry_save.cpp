#include "entry/entry_save.h"

#include "data/data_module.h"
#include "data/transaction.h"
#include "entry/entry_snapshot.h"
#include "entry/timesheet_recalc.h"
#include "timesheet/month_lock.h"

#include <algorithm>

namespace entry {

namespace {

struct Place {
    int workerId = 0;
    int shift = 0;
    QDate date;
    bool operator==(const Place&) const = default;
};

// Where the entry stands now, locked until the transaction ends; nothing when it is gone.
std::optional<Place> lockedPlace(data::SharedData& db, qint64 id) {
    return db.readOneRow(
        storedPlaceStatement(id), [](const data::Dataset& q) -> std::optional<Place> {
            if (q.isEmpty())
                return std::nullopt;
            return Place{q.asInt(QStringLiteral("w_id")), q.asInt(QStringLiteral("smena")),
                         q.value(QStringLiteral("data")).toDate()};
        });
}

void lockRows(const std::vector<Place>& places) {
    std::vector<timesheet::RowKey> rows;
    for (const Place& p : places) {
        if (p.date.isValid())
            rows.push_back(timesheet::rowKeyOf(p.workerId, p.shift, p.date));
    }
    timesheet::lockRowsForRecalc(std::move(rows));
}

// The entry, locked by now, is still as the editor loaded it; otherwise the verdict says how not.
bool unchangedSinceLoaded(EntryChange& change) {
    change.verdict = data::checkLockedRow(guardedEntry(change.id), change.loaded);
    return change.verdict.kind == data::RowVerdict::Kind::Saved;
}

SaveVerdict duplicate() {
    return {SaveResult::Duplicate, QString::fromUtf8(kDuplicateMessage)};
}

SaveVerdict gone() {
    return {SaveResult::Gone, QString::fromUtf8(kEntryGoneMessage)};
}

// Tells the windows showing the journals and timesheet months of these places to reload.
void announce(data::SharedData& db, const std::vector<Place>& places) {
    std::vector<Place> told;
    for (const Place& p : places) {
        const bool again = std::any_of(told.begin(), told.end(), [&p](const Place& t) {
            return t.date == p.date && t.shift == p.shift;
        });
        if (again || !p.date.isValid())
            continue;
        told.push_back(p);
        emit db.journalChanged(p.date, p.shift);
    }
    std::vector<QDate> months;
    for (const Place& p : told) {
        const QDate month(p.date.year(), p.date.month(), 1);
        if (std::find(months.begin(), months.end(), month) != months.end())
            continue;
        months.push_back(month);
        emit db.timesheetChanged(month.year(), month.month());
    }
}

// The save's writes inside its transaction, with the places whose journal and timesheet changed
// when it may commit; the refusal otherwise.
struct Written {
    SaveVerdict verdict;
    std::vector<Place> changed;
};

Written writeEntry(data::SharedData& db, const EntryValues& v, std::optional<qint64> changedId,
                   const QString& countSql, EntryChange* change) {
    // Another workstation may have written the same entry since the first check.
    if (db.countOf(countSql) > 0)
        return {duplicate(), {}};

    const Place target{v.workerId, v.shift, v.date};
    std::optional<Place> left;
    if (changedId) {
        left = lockedPlace(db, *changedId);
        if (!left)
            return {gone(), {}};
        if (change && !unchangedSinceLoaded(*change))
            return {{SaveResult::ChangedElsewhere, change->verdict.message()}, {}};
    }
    lockRows(left ? std::vector<Place>{target, *left} : std::vector<Place>{target});

    data::Command entryWrite(QStringLiteral("SmenaIU"));
    entryWrite.setSql(changedId ? updateStatement(v, *changedId) : insertStatement(v));
    if (entryWrite.exec() == 0)
        return {gone(), {}};

    const qint64 dayHours = journalDayHours(db, target.workerId, target.shift, target.date);
    if (dayHours > kMaxDayHours)
        return {{SaveResult::Refused, dayHoursMessage(dayHours)}, {}};

    RecalcTimesheetDay(db, target.workerId, target.shift, target.date);
    // The cell the entry moved away from must lose its hours too.
    if (left && !(*left == target) && left->date.isValid())
        RecalcTimesheetDayAfterDeletion(db, left->workerId, left->shift, left->date);
    return {{}, left ? std::vector<Place>{target, *left} : std::vector<Place>{target}};
}

SaveVerdict save(data::SharedData& db, const EntryValues& v, std::optional<qint64> changedId,
                 EntryChange* change) {
    if (const std::optional<QString> refusal = valueRefusal(v))
        return {SaveResult::Refused, *refusal};
    const QString countSql = duplicateCountStatement(v, changedId);
    // The common refusal, answered before anything is locked.
    if (db.countsAnyRow(countSql))
        return duplicate();

    Written written;
    {
        data::Transaction transaction;
        // Held until commit: a second save of the same key waits here and then sees this one.
        data::lockForTransaction(duplicateLockKey(v));
        written = writeEntry(db, v, changedId, countSql, change);
        if (written.verdict.saved())
            transaction.commit();
    }
    if (written.verdict.saved())
        announce(db, written.changed);
    return written.verdict;
}

}  // namespace

SaveVerdict saveEntry(data::SharedData& db, const EntryValues& v, std::optional<qint64> changedId) {
    return save(db, v, changedId, nullptr);
}

SaveVerdict saveEntry(data::SharedData& db, const EntryValues& v, EntryChange& change) {
    change.verdict = {};
    return save(db, v, change.id, &change);
}

DeleteResult deleteEntry(data::SharedData& db, data::Command& command, qint64 id) {
    std::optional<Place> deleted;
    {
        data::Transaction transaction;
        const std::optional<Place> place = lockedPlace(db, id);
        if (!place)
            return DeleteResult::Gone;
        lockRows({*place});
        if (command.exec() == 0)
            return DeleteResult::Gone;
        if (place->date.isValid())
            RecalcTimesheetDayAfterDeletion(db, place->workerId, place->shift, place->date);
        transaction.commit();
        deleted = place;
    }
    announce(db, {*deleted});
    return DeleteResult::Deleted;
}

}  // namespace entry
