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

QString changedElsewhereMessage(const QList<FieldChange>& changes) {
    QString text = QString::fromUtf8(kChangedElsewhereMessage);
    for (const FieldChange& c : changes)
        text += QLatin1Char('\n') + c.caption + QStringLiteral(": ") +
                data::shownUserText(c.loaded) + QStringLiteral(" → ") +
                data::shownUserText(c.stored) +
                (c.yours ? QStringLiteral(", у вас: ") + data::shownUserText(*c.yours) : QString());
    return text;
}

QString RowVerdict::message() const {
    switch (kind) {
        case Kind::ChangedElsewhere:
            return changedElsewhereMessage(changes);
        case Kind::Gone:
            return QString::fromUtf8(kRowGoneMessage);
        case Kind::Saved:
            break;
    }
    return {};
}

RowVerdict checkLockedRow(const GuardedRow& row, const RowSnapshot& loaded) {
    Dataset read(QStringLiteral("lockedRow"));
    read.setSql(row.lockedRead);
    read.open();
    RowVerdict verdict;
    if (read.isEmpty()) {
        verdict.kind = RowVerdict::Kind::Gone;
        return verdict;
    }
    RowSnapshot stored = row.shown(read);
    verdict.changes = changedFields(row.fields, loaded, stored);
    if (!verdict.changes.isEmpty()) {
        verdict.kind = RowVerdict::Kind::ChangedElsewhere;
        verdict.stored = std::move(stored);
    }
    return verdict;
}

RowVerdict writeUnlessChanged(const GuardedRow& row, const RowSnapshot& loaded,
                              const std::function<void()>& write) {
    Transaction transaction;
    RowVerdict verdict = checkLockedRow(row, loaded);
    if (verdict.kind == RowVerdict::Kind::Saved) {
        write();
        transaction.commit();
    }
    return verdict;
}

}  // namespace data
