#pragma once

#include "refbooks/row_change.h"

// Writing the workers' book (accounts_dep.person); each write announces the worker
// (data::Subject::Worker).
namespace refbooks::workers {

// A new worker, or the change of the loaded one (cmd_person): Saved, or for a change
// ChangedElsewhere or Gone with the stored row.
data::Verdict save(const QString& fullName, const QString& department, const RowChange& change);

// Deletes the worker id; RowGoneError when another workstation deleted it first.
void remove(qint64 id);

}  // namespace refbooks::workers
