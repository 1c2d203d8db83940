#pragma once

#include "data/row_check.h"
#include "entry/entry_statements.h"

#include <optional>

namespace data {
class Command;
class SharedData;
}  // namespace data

// Writing journal entries together with their timesheet day cells: the save and the deletion.
namespace entry {

enum class SaveResult { Saved, Duplicate, Refused, ChangedElsewhere };

// Writes one journal entry (a new one, or the entry changedId) and recalculates its timesheet day
// cell, plus the cell it left when a change moves it to another worker, shift or date, as one
// transaction on the shared connection: when any step fails nothing is written and the
// error propagates. Refused, with its message shown and nothing written: a duplicate (same
// worker, operation, product, date, shift and colour), values out of their columns' range, a
// day and shift of the worker above kMaxDayHours hours, a changed entry another workstation has
// deleted. The checks and the write are serialised across workstations by locks on the
// duplicate key, the entry and the timesheet rows.
SaveResult saveEntry(data::SharedData& db, const EntryValues& values,
                     std::optional<qint64> changedId = {});

// A change of the entry id as the editor loaded it. The save fills in the verdict: when the
// stored entry differs from `loaded`, ChangedElsewhere with the changes and the stored entry.
struct EntryChange {
    qint64 id = 0;
    data::RowSnapshot loaded;
    data::RowVerdict verdict;
};

// saveEntry of a change that is written only over the entry as loaded: under the entry's lock,
// an entry another workstation changed meanwhile is refused as ChangedElsewhere, nothing written
// and nothing shown (the caller shows change.verdict).
SaveResult saveEntry(data::SharedData& db, const EntryValues& values, EntryChange& change);

enum class DeleteResult { Deleted, Gone };

// Deletes the journal entry id with `command` (its delete statement) and brings the day cell of
// the entry's own worker, shift and date, as stored, in line with the journal: one transaction,
// under the entry's and the timesheet row's locks. Gone when another workstation deleted the
// entry first; then nothing is written.
DeleteResult deleteEntry(data::SharedData& db, data::Command& command, qint64 id);

}  // namespace entry
