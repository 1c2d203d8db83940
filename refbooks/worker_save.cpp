#include "refbooks/worker_save.h"

#include "data/change.h"
#include "data/command.h"
#include "refbooks/shown_rows.h"
#include "refbooks/workers_statements.h"

namespace refbooks::workers {

namespace {
data::Command personWrite(const QString& sql) {
    return data::Command(QStringLiteral("cmd_person"), sql);
}
}  // namespace

data::Verdict save(const QString& fullName, const QString& department, const RowChange& change) {
    if (!change) {
        personWrite(insertWorker(fullName, department)).exec();
        data::announce(data::Change::row(data::Subject::Worker, 0));
        return {};
    }
    data::Command write = personWrite(updateWorker(fullName, department, change->id));
    data::Verdict verdict =
        data::writeUnlessChanged(shown::guardedWorker(change->id), change->loaded, [&] {
            write.execOnRow();
            data::announce(data::Change::row(data::Subject::Worker, change->id));
        });
    verdict.id = change->id;
    return verdict;
}

void remove(qint64 id) {
    personWrite(deleteWorker(id)).execOnRow();
    data::announce(data::Change::row(data::Subject::Worker, id));
}

}  // namespace refbooks::workers
