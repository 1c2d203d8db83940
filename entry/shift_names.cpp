#include "entry/shift_names.h"

#include "data/dataset.h"
#include "data/shared_statements.h"

namespace entry::shift {

void ShiftNames::load() {
    if (loaded_)
        return;
    workers_.clear();
    operations_.clear();
    data::Dataset workers;
    workers.setSql(data::statements::workers());
    workers.open();
    for (workers.first(); !workers.eof(); workers.next())
        workers_.emplace_back(workers.asInt(QStringLiteral("id")),
                              workers.text(QStringLiteral("fio")).trimmed());
    workers.close();
    data::Dataset operations;
    operations.setSql(data::statements::operations());
    operations.open();
    for (operations.first(); !operations.eof(); operations.next()) {
        ShiftRow o;
        o.operationId = operations.asInt(QStringLiteral("id"));
        readOperationFields(o, operations);
        operations_.push_back({o, o.operationText()});
    }
    operations.close();
    loaded_ = true;
}

QStringList ShiftNames::workerNames() {
    load();
    QStringList names;
    for (const auto& w : workers_)
        names << w.second;
    return names;
}

QStringList ShiftNames::operationTexts() {
    load();
    QStringList texts;
    for (const OperationName& o : operations_)
        texts << o.text;
    return texts;
}

void ShiftNames::takeWorkerName(ShiftRow& row, const QString& typed) {
    load();
    row.worker = typed;
    row.workerId = 0;
    for (const auto& [id, name] : workers_) {
        if (name.compare(typed, Qt::CaseInsensitive) == 0) {
            row.workerId = id;
            row.worker = name;
            return;
        }
    }
}

void ShiftNames::takeOperationText(ShiftRow& row, const QString& typed) {
    load();
    for (const OperationName& o : operations_) {
        if (o.text.compare(typed, Qt::CaseInsensitive) == 0) {
            takeOperation(row, o.operation.operationId);
            return;
        }
    }
    // Not an operation of the list: the row has none until one is chosen.
    row.operationId = row.productId = row.productKind = 0;
    row.basePrice = 0;
    row.mark = typed;
    row.kind.clear();
}

void ShiftNames::takeOperation(ShiftRow& row, int operationId) {
    load();
    for (const OperationName& o : operations_) {
        if (o.operation.operationId != operationId)
            continue;
        row.operationId = o.operation.operationId;
        row.productId = o.operation.productId;
        row.mark = o.operation.mark;
        row.kind = o.operation.kind;
        row.productKind = o.operation.productKind;
        row.basePrice = o.operation.basePrice;
        if (!row.isPaint())
            row.colour.clear();
        return;
    }
}

}  // namespace entry::shift
