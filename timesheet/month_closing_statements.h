#pragma once

#include <QString>

// Statement texts of closing and reopening a month (accounts_dep.closed_month, made by the
// database upgrade). Numbers are written as plain decimal text; the year is the list's text.
namespace timesheet::closing {

// cnt: 1 when the month is closed, else 0.
QString closedCount(int month, const QString& year);

// cnt: how many day cells of the month's timesheet differ from what a rebuild would write from
// the journal (rebuild::monthRows), a missing row's cells counting as 0; duplicates of a row add
// up.
QString differingCells(int month, const QString& year);

// Closes the month unless it is closed already (then it changes no row); closed_at is the time
// the month lock was granted. Role and workstation travel as literals.
QString closeMonth(int month, const QString& year, const QString& role, const QString& workstation);
QString reopenMonth(int month, const QString& year);

// The same through the database's functions (db/upgrade/03-month-functions.sql), which take the
// month lock themselves and refuse a month already closed, or not closed; the reopening's reason
// is the parameter :reason.
QString closeMonthCall(int month, const QString& year);
QString reopenMonthCall(int month, const QString& year);

// cnt: the month's journal entries (every shift) not accepted yet.
QString unacceptedCount(int month, const QString& year);

}  // namespace timesheet::closing
