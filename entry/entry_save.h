#pragma once

#include "entry/entry_statements.h"

#include <optional>

namespace data {
class SharedData;
}

namespace entry {

enum class SaveResult { Saved, Duplicate };

// Writes one journal entry (a new one, or the entry changedId) and recalculates its timesheet day
// cell, plus the cell it left when a change moves it to another worker, shift or date, as one
// transaction on the shared connection: when any step fails nothing is written and the error
// propagates. A duplicate (same worker, operation, product, date, shift and colour) is answered
// with Duplicate and nothing is written (the caller refuses with kDuplicateMessage); the check and
// the write are serialised across workstations by a lock on that key.
SaveResult saveEntry(data::SharedData& db, const EntryValues& values,
                     std::optional<qint64> changedId = {});

}  // namespace entry
