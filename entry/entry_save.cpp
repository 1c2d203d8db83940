#include "entry/entry_save.h"

#include "data/data_module.h"
#include "data/transaction.h"
#include "entry/timesheet_recalc.h"

namespace entry {

namespace {

struct Place {
    int workerId = 0;
    int shift = 0;
    QDate date;
    bool operator==(const Place&) const = default;
};

std::optional<Place> storedPlace(data::SharedData& db, qint64 id) {
    return db.readControl(
        storedPlaceStatement(id), [](const data::Dataset& q) -> std::optional<Place> {
            if (q.isEmpty())
                return std::nullopt;
            return Place{q.asInt(QStringLiteral("w_id")), q.asInt(QStringLiteral("smena")),
                         q.value(QStringLiteral("data")).toDate()};
        });
}

bool duplicateExists(data::SharedData& db, const QString& countSql) {
    return db.controlCount(countSql) > 0;
}

}  // namespace

SaveResult saveEntry(data::SharedData& db, const EntryValues& v, std::optional<qint64> changedId) {
    const QString countSql = duplicateCountStatement(v, changedId);
    // The common refusal, answered before anything is locked.
    if (db.CheckDuplicate(countSql))
        return SaveResult::Duplicate;

    {
        data::Transaction transaction;
        // Another workstation may have written the same entry since the check: look again
        // under the lock, which it holds until its own save has committed.
        data::lockForTransaction(duplicateLockKey(v));
        // The caller's refusal comes only after the transaction, so that no lock is held while
        // the message waits for the user.
        if (duplicateExists(db, countSql))
            return SaveResult::Duplicate;
        const Place target{v.workerId, v.shift, v.date};
        std::optional<Place> left;
        if (changedId)
            left = storedPlace(db, *changedId);

        data::Command SmenaIU(QStringLiteral("SmenaIU"));
        SmenaIU.setSql(changedId ? updateStatement(v, *changedId) : insertStatement(v));
        SmenaIU.exec();

        RecalcTimesheetDay(db, target.workerId, target.shift, target.date);
        // The cell the entry moved away from must lose its hours too.
        if (left && !(*left == target) && left->date.isValid())
            RecalcTimesheetDayAfterDeletion(db, left->workerId, left->shift, left->date);
        transaction.commit();
    }
    return SaveResult::Saved;
}

}  // namespace entry
