#pragma once

#include "data/verdict.h"

#include <QDate>
#include <vector>

namespace data {
class SharedData;
}

// The journal's own writes: the acceptance marks and the deletion of an entry. Each announces
// the journal of the date and shift shown (data::Change::journal) once written.
namespace journal {

// A double-click: the entry id given `mark` (updtOK). Gone when another workstation deleted it.
data::Verdict writeMark(qint64 id, const QString& mark, const QDate& date, int shift);

// "Принять" (accept) or "Снять отметку": the entries ids given their mark in one transaction, in
// ascending id order so that two workstations marking overlapping rows never wait for each other
// in a circle. Gone, with goneMarksMessage, when some were deleted by another workstation (the
// rest are written).
data::Verdict markEntries(std::vector<qint64> ids, bool accept, const QDate& date, int shift);

// "Удалить": the entry id deleted (DelSmena) with its hours in the timesheet cell of its own day
// (entry::deleteEntry, which announces). Gone when another workstation deleted it first.
data::Verdict deleteEntry(data::SharedData& db, qint64 id);

}  // namespace journal
