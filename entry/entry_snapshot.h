#pragma once

#include "data/row_check.h"

#include <QDate>

// A journal entry as the entry editor shows it, so that a change is written only over the entry
// the editor loaded.
namespace entry {

// The fields the editor shows or that price the entry, under the editor's captions: the journal's
// compared fields (data::journalFields).
const data::ShownFields& shownEntryFields();

// The entry as the editor shows it, from a row with the journal's columns (fio, marka, vid,
// naimen, kol_vo, brak, time, color, data, cena, smena, w_id, o_id, i_id); it also carries i_id
// and the full price (cena_value), which an editor taking the stored entry needs.
data::RowSnapshot shownEntry(const data::Dataset& row);

// The entry id with the journal's columns, locked against other workstations until the
// transaction ends; no row when it is gone.
QString lockedEntryStatement(qint64 id);

data::GuardedRow guardedEntry(qint64 id);

}  // namespace entry
