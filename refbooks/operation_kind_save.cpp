#include "refbooks/operation_kind_save.h"

#include "data/data_module.h"
#include "data/transaction.h"
#include "refbooks/operation_kinds_statements.h"
#include "refbooks/shown_rows.h"

namespace refbooks::kinds {

data::Verdict save(data::SharedData& db, const QString& name, const RowChange& change) {
    if (db.countsAnyRow(change ? duplicateKindOnChange(name, change->id)
                               : duplicateKindOnAdd(name)))
        return data::Verdict::refusal(data::Verdict::Kind::Duplicate,
                                      QString::fromUtf8(kDuplicateKindMessage));
    data::Dataset* kinds = db.operationKinds;
    if (change)
        kinds->edit();
    else
        kinds->insert();
    kinds->setValue(QStringLiteral("vid"), name);
    data::Verdict verdict;
    try {
        if (change) {
            verdict = data::writeUnlessChanged(shown::guardedKind(change->id), change->loaded,
                                               [kinds] { kinds->post(); });
            verdict.id = change->id;
        } else {
            // The new row's id is read before the list, told of it, reads its rows again.
            data::Transaction transaction;
            kinds->post();
            verdict.id = kinds->asInt64(QStringLiteral("id"));
            transaction.commit();
        }
    } catch (...) {
        kinds->cancel();  // the list keeps its rows as they were
        throw;
    }
    if (!verdict.saved())
        kinds->cancel();
    return verdict;
}

}  // namespace refbooks::kinds
