#include "data/row_check.h"

#include "data/dataset.h"
#include "data/db_error.h"
#include "data/quoted_text.h"
#include "data/transaction.h"

namespace data {

QList<FieldChange> changedFields(const ShownFields& fields, const RowSnapshot& loaded,
                                 const RowSnapshot& stored) {
    QList<FieldChange> changes;
    for (const ShownField& f : fields) {
        const QString was = loaded.value(f.field);
        const QString now = stored.value(f.field);
        const bool keyMoved = !f.key.isEmpty() && loaded.value(f.key) != stored.value(f.key);
        if (was != now || keyMoved)
            changes.append({f.caption, was, now});
    }
    return changes;
}

Verdict checkLockedRow(const GuardedRow& row, const RowSnapshot& loaded) {
    Dataset read(QStringLiteral("lockedRow"));
    read.setSql(row.lockedRead);
    read.open();
    if (read.isEmpty())
        return Verdict::gone();
    const RowSnapshot stored = row.shown(read);
    const QList<FieldChange> changes = changedFields(row.fields, loaded, stored);
    return changes.isEmpty() ? Verdict{} : Verdict::changedElsewhere(changes, stored);
}

Verdict writeUnlessChanged(const GuardedRow& row, const RowSnapshot& loaded,
                           const std::function<void()>& write) {
    Transaction transaction;
    Verdict verdict = checkLockedRow(row, loaded);
    if (verdict.kind == Verdict::Kind::Saved) {
        write();
        transaction.commit();
    }
    return verdict;
}

}  // namespace data
