#pragma once

#include "refbooks/row_change.h"

namespace data {
class SharedData;
}

// Writing the operation kinds' book through its shared query (Vid_oper, which announces
// data::Subject::OperationKind).
namespace refbooks::kinds {

inline constexpr const char* kDuplicateKindMessage = "Такая операция уже заведена!";

// A new kind, or the change of the query's current one as loaded: Duplicate when another kind
// bears the name (upper-cased), else Saved, or for a change ChangedElsewhere or Gone with the
// stored row. The query keeps its rows as they were when nothing is written.
data::Verdict save(data::SharedData& db, const QString& name, const RowChange& change);

}  // namespace refbooks::kinds
