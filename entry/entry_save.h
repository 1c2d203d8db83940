#pragma once

#include "data/row_check.h"
#include "entry/entry_statements.h"

#include <algorithm>

#include <optional>
#include <vector>

namespace data {
class Command;
class SharedData;
}  // namespace data

// Writing journal entries together with their timesheet day cells: the save and the deletion.
namespace entry {

// The verdict of an entry's save: Duplicate (the same worker, operation, product, date, shift
// and colour is stored), Refused (values out of their columns' range, a day and shift above
// kMaxDayHours), ChangedElsewhere (the changed entry differs from the one loaded), Gone (the
// changed entry was deleted by another workstation), each with its text for the editor.
//
// Writes one journal entry (a new one, or the entry changedId) and recalculates its timesheet day
// cell, plus the cell it left when a change moves it to another worker, shift or date, as one
// transaction on the shared connection: when any step fails nothing is written and the
// error propagates (a closed month as a DbError of kind ClosedMonth). Refused, nothing written,
// with the refusal's text in the verdict: a duplicate (same worker, operation, product, date,
// shift and colour), values out of their columns' range, a day and shift of the worker above
// kMaxDayHours hours, a changed entry another workstation has deleted. The checks and the write
// are serialised across workstations by locks on the duplicate key, the entry and the timesheet
// rows. Saved: it announces the journals and timesheet months it changed (data::announce).
data::Verdict saveEntry(data::SharedData& db, const EntryValues& values,
                        std::optional<qint64> changedId = {});

// A change of the entry id as the editor loaded it.
struct EntryChange {
    qint64 id = 0;
    data::RowSnapshot loaded;
};

// saveEntry of a change that is written only over the entry as loaded: under the entry's lock,
// an entry another workstation changed meanwhile is refused as ChangedElsewhere, nothing written
// (the verdict tells the changed fields and the stored entry).
data::Verdict saveEntry(data::SharedData& db, const EntryValues& values, const EntryChange& change);

// What a shift's save decided: saved (every row written), or for each refused row its reason
// (an empty text for a row that passes).
struct ShiftVerdict {
    bool saved = false;
    std::vector<QString> refusals;  // one per row

    bool refused() const {
        return std::any_of(refusals.begin(), refusals.end(),
                           [](const QString& r) { return !r.isEmpty(); });
    }
};

// Writes a shift's new entries ("Ввод смены") as one transaction: all of them or none. Every row
// is first checked by the rules of saveEntry (values, a duplicate stored or earlier in the same
// rows, a closed month, a day and shift above kMaxDayHours hours over the journal and the rows
// together); any refusal marks its row and nothing is written. Then the rows are written under
// the locks of saveEntry, taken in the same order (duplicate keys, months, timesheet rows, each
// sorted), with saveEntry's statement texts; each worker's day cell is recalculated once. An
// entry another workstation stored meanwhile refuses the whole write and marks its row. Saved:
// it announces the journals and timesheet months.
ShiftVerdict saveShift(data::SharedData& db, const std::vector<EntryValues>& rows);

// Deletes the journal entry id with `command` (its delete statement) and brings the day cell of
// the entry's own worker, shift and date, as stored, in line with the journal: one transaction,
// under the entry's and the timesheet row's locks. Gone when another workstation deleted the
// entry first; then nothing is written. Saved (deleted): it announces the entry's journal and
// timesheet month.
data::Verdict deleteEntry(data::SharedData& db, data::Command& command, qint64 id);

}  // namespace entry
