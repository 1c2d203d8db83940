#include "entry/entry_save.h"

#include "data/data_module.h"
#include "data/transaction.h"
#include "entry/entry_snapshot.h"
#include "entry/timesheet_recalc.h"
#include "timesheet/month_lock.h"
#include "ui/dialogs.h"

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

// The save's writes inside its transaction; the refusal's message when nothing may be written.
std::optional<QString> writeEntry(data::SharedData& db, const EntryValues& v,
                                  std::optional<qint64> changedId, const QString& countSql,
                                  EntryChange* change) {
    // Another workstation may have written the same entry since the first check.
    if (db.countOf(countSql) > 0)
        return QString::fromUtf8(kDuplicateMessage);

    const Place target{v.workerId, v.shift, v.date};
    std::optional<Place> left;
    if (changedId) {
        left = lockedPlace(db, *changedId);
        if (!left)
            return QString::fromUtf8(kEntryGoneMessage);
        if (change && !unchangedSinceLoaded(*change))
            return change->verdict.message();
    }
    lockRows(left ? std::vector<Place>{target, *left} : std::vector<Place>{target});

    data::Command entryWrite(QStringLiteral("SmenaIU"));
    entryWrite.setSql(changedId ? updateStatement(v, *changedId) : insertStatement(v));
    if (entryWrite.exec() == 0)
        return QString::fromUtf8(kEntryGoneMessage);

    const qint64 dayHours = journalDayHours(db, target.workerId, target.shift, target.date);
    if (dayHours > kMaxDayHours)
        return dayHoursMessage(dayHours);

    RecalcTimesheetDay(db, target.workerId, target.shift, target.date);
    // The cell the entry moved away from must lose its hours too.
    if (left && !(*left == target) && left->date.isValid())
        RecalcTimesheetDayAfterDeletion(db, left->workerId, left->shift, left->date);
    return std::nullopt;
}

SaveResult save(data::SharedData& db, const EntryValues& v, std::optional<qint64> changedId,
                EntryChange* change) {
    if (const std::optional<QString> refusal = valueRefusal(v)) {
        ui::showRefusal(*refusal);
        return SaveResult::Refused;
    }
    const QString countSql = duplicateCountStatement(v, changedId);
    const QString duplicate = QString::fromUtf8(kDuplicateMessage);
    // The common refusal, answered before anything is locked.
    if (db.countsAnyRow(countSql)) {
        ui::showRefusal(duplicate);
        return SaveResult::Duplicate;
    }

    std::optional<QString> refusal;
    {
        data::Transaction transaction;
        // Held until commit: a second save of the same key waits here and then sees this one.
        data::lockForTransaction(duplicateLockKey(v));
        refusal = writeEntry(db, v, changedId, countSql, change);
        if (!refusal)
            transaction.commit();
    }
    if (!refusal)
        return SaveResult::Saved;
    if (change && change->verdict.kind == data::RowVerdict::Kind::ChangedElsewhere)
        return SaveResult::ChangedElsewhere;  // the editor shows it with what the user typed
    // Shown only now, so that no lock is held while the message waits for the user.
    ui::showRefusal(*refusal);
    return *refusal == duplicate ? SaveResult::Duplicate : SaveResult::Refused;
}

}  // namespace

SaveResult saveEntry(data::SharedData& db, const EntryValues& v, std::optional<qint64> changedId) {
    return save(db, v, changedId, nullptr);
}

SaveResult saveEntry(data::SharedData& db, const EntryValues& v, EntryChange& change) {
    change.verdict = {};
    return save(db, v, change.id, &change);
}

DeleteResult deleteEntry(data::SharedData& db, data::Command& command, qint64 id) {
    {
        data::Transaction transaction;
        const std::optional<Place> place = lockedPlace(db, id);
        if (place) {
            lockRows({*place});
            if (command.exec() != 0) {
                if (place->date.isValid())
                    RecalcTimesheetDayAfterDeletion(db, place->workerId, place->shift, place->date);
                transaction.commit();
                return DeleteResult::Deleted;
            }
        }
    }
    return DeleteResult::Gone;
}

}  // namespace entry
