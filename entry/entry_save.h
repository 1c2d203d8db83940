#pragma once

#include "entry/entry_statements.h"

#include <optional>

namespace entry {

enum class SaveResult { Saved, Duplicate };

// Writes one journal entry (a new one, or the entry changedId) and recalculates its timesheet day
// cell, plus the cell it left when a change moves it to another worker, shift or date, as one
// transaction on the data module's connection: when any step fails nothing is written and the
// error propagates. A duplicate (same worker, operation, product, date, shift and colour) is
// refused with its message and nothing is written; the check and the write are serialised
// across workstations by a lock on that key.
SaveResult saveEntry(const EntryValues& values, std::optional<qint64> changedId = {});

}  // namespace entry
