#pragma once

#include <QString>

// Statements of the shift journal window and of the version check.
namespace journal::statements {

// updtOK: the acceptance mark of one entry, :ok and :id bound.
QString updateMark();
// DelSmena's text for one entry; the id is an integer, never grid text.
QString deleteEntry(qint64 id);

// The version row: read, create on an empty table, raise (never lower) to :d/:t.
QString readVersion();
QString insertVersion();
QString raiseVersion();

}  // namespace journal::statements
