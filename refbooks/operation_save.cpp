#include "refbooks/operation_save.h"

#include "data/change.h"
#include "data/data_module.h"
#include "data/transaction.h"
#include "refbooks/operations_statements.h"
#include "refbooks/shown_rows.h"

namespace refbooks::operations {

namespace {

data::Verdict duplicate() {
    return data::Verdict::refusal(data::Verdict::Kind::Duplicate,
                                  QString::fromUtf8(kDuplicateOperationMessage));
}

// A new operation and its first norm; its id.
qint64 addOperation(data::SharedData& db, const OperationValues& v) {
    db.operationInsert.setSql(insertOperation(v.kindId, v.productKind, v.productId));
    const int id = qRound(db.operationInsert.execReturning().toDouble());
    data::Command firstNorm(QStringLiteral("Norm_ins"), insertFirstNorm());
    firstNorm.setParam(QStringLiteral("o_id"), id);
    firstNorm.setParam(QStringLiteral("price"), 0.0);
    firstNorm.exec();
    return id;
}

// The operation id, still as loaded, changed; the verdict of the check otherwise.
data::Verdict changeOperation(data::SharedData& db, const OperationValues& v,
                              const LoadedRow& change) {
    data::Verdict verdict = data::checkLockedRow(shown::guardedOperation(change.id), change.loaded);
    if (verdict.saved()) {
        db.operationUpdate.setSql(
            updateOperation(v.kindId, v.productKind, v.productId, static_cast<int>(change.id)));
        db.operationUpdate.execOnRow();
    }
    return verdict;
}

}  // namespace

data::Verdict save(data::SharedData& db, const OperationValues& v, const RowChange& change) {
    const QString duplicateCount = change ? duplicateOnChange(v.kindId, v.productKind, v.productId,
                                                              static_cast<int>(change->id))
                                          : duplicateOnAdd(v.kindId, v.productKind, v.productId);
    // The common refusal, answered before anything is locked.
    if (db.countsAnyRow(duplicateCount))
        return duplicate();
    data::Transaction transaction;
    // Another workstation may have written the same combination since the check: look again
    // under the lock, which it holds until its own save has committed.
    data::lockForTransaction(combinationLockKey(v.kindId, v.productKind, v.productId));
    if (db.countsAnyRow(duplicateCount))
        return duplicate();
    data::Verdict verdict =
        change ? changeOperation(db, v, *change) : data::Verdict::savedRow(addOperation(db, v));
    if (!verdict.saved())
        return verdict;
    verdict.id = change ? change->id : verdict.id;
    data::announce(data::Change::row(data::Subject::Operation, verdict.id));
    transaction.commit();
    return verdict;
}

void remove(data::SharedData& db, qint64 id) {
    db.operationDeletion.setParam(QStringLiteral("id"), id);
    db.operationDeletion.execOnRow();
    data::announce(data::Change::row(data::Subject::Operation, id));
}

}  // namespace refbooks::operations
