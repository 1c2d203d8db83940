#pragma once

#include "refbooks/row_change.h"

namespace data {
class SharedData;
}

// Writing the operations' book: an operation's product, kind and finished/blank choice; each
// write announces the operation (data::Subject::Operation).
namespace refbooks::operations {

inline constexpr const char* kDuplicateOperationMessage =
    "Операция с такими параметрами уже заведена!";

// The combination an operation stands for.
struct OperationValues {
    int kindId = 0;
    int productKind = 0;  // 0 finished goods, 1 blanks
    int productId = 0;
};

// A new operation with its first norm (price 0, so that it is listed and can be priced), or the
// change of the loaded one, in one transaction under the combination's lock: Duplicate when the
// combination is stored (checked before the lock and again under it), else Saved with the
// operation's id, or for a change ChangedElsewhere or Gone with the stored row.
data::Verdict save(data::SharedData& db, const OperationValues& values, const RowChange& change);

// Deletes the operation id (Oper_del); RowGoneError when another workstation deleted it first.
void remove(data::SharedData& db, qint64 id);

}  // namespace refbooks::operations
