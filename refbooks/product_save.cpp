#include "refbooks/product_save.h"

#include "data/change.h"
#include "data/data_module.h"
#include "refbooks/products_statements.h"
#include "refbooks/shown_rows.h"

namespace refbooks::products {

data::Verdict save(data::SharedData& db, const QString& mark, double quantity,
                   const RowChange& change) {
    const qint64 id = change ? change->id : 0;
    if (db.countsAnyRow(change ? duplicateMarkOnChange(mark, id) : duplicateMarkOnAdd(mark)))
        return data::Verdict::refusal(data::Verdict::Kind::Duplicate,
                                      QString::fromUtf8(kDuplicateMarkMessage));
    db.statement.setSql(change ? updateProduct(id, mark, quantity) : insertProduct(mark, quantity));
    if (!change) {
        db.statement.exec();
        data::announce(data::Change::row(data::Subject::Product, 0));
        return {};
    }
    data::Verdict verdict =
        data::writeUnlessChanged(shown::guardedProduct(id), change->loaded, [&db, id] {
            db.statement.execOnRow();
            data::announce(data::Change::row(data::Subject::Product, id));
        });
    verdict.id = id;
    return verdict;
}

}  // namespace refbooks::products
