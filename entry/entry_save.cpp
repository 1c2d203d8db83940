#include "entry/entry_save.h"

#include "data/data_module.h"
#include "data/transaction.h"
#include "entry/timesheet_recalc.h"
#include "ui/dialogs.h"

namespace entry {

namespace {

struct Place {
    int workerId = 0;
    int shift = 0;
    QDate date;
    bool operator==(const Place&) const = default;
};

std::optional<Place> storedPlace(qint64 id) {
    return DataModule6->readControl(
        storedPlaceStatement(id), [](const data::Dataset& q) -> std::optional<Place> {
            if (q.isEmpty())
                return std::nullopt;
            return Place{q.asInt(QStringLiteral("w_id")), q.asInt(QStringLiteral("smena")),
                         q.value(QStringLiteral("data")).toDate()};
        });
}

bool duplicateExists(const QString& countSql) {
    return DataModule6->controlCount(countSql) > 0;
}

}  // namespace

SaveResult saveEntry(const EntryValues& v, std::optional<qint64> changedId) {
    const QString countSql = duplicateCountStatement(v, changedId);
    const QString message = QString::fromUtf8(kDuplicateMessage);
    // The common refusal, answered before anything is locked.
    if (DataModule6->CheckDuplicate(countSql, message))
        return SaveResult::Duplicate;

    bool raced = false;
    {
        data::Transaction transaction;
        // Another workstation may have written the same entry since the check: look again
        // under the lock, which it holds until its own save has committed.
        data::lockForTransaction(duplicateLockKey(v));
        if (duplicateExists(countSql)) {
            raced = true;
        } else {
            const Place target{v.workerId, v.shift, v.date};
            std::optional<Place> left;
            if (changedId)
                left = storedPlace(*changedId);

            data::Command SmenaIU(QStringLiteral("SmenaIU"));
            SmenaIU.setSql(changedId ? updateStatement(v, *changedId) : insertStatement(v));
            SmenaIU.exec();

            RecalcTimesheetDay(target.workerId, target.shift, target.date);
            // The cell the entry moved away from must lose its hours too.
            if (left && !(*left == target) && left->date.isValid())
                RecalcTimesheetDayAfterDeletion(left->workerId, left->shift, left->date);
            transaction.commit();
        }
    }
    if (raced) {
        // Shown only now, so that no lock is held while the message waits for the user.
        ui::showRefusal(message);
        return SaveResult::Duplicate;
    }
    return SaveResult::Saved;
}

}  // namespace entry
