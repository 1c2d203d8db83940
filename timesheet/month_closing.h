#pragma once

#include <QDate>
#include <QString>

namespace data {
class SharedData;
}

// Closed months: a paid month whose journal entries and timesheet the server refuses to change
// (db/upgrade/01-closed-months.sql). The client asks first, so it refuses before anything is
// written; the server's own refusal reaches it as the same error. On a database without the
// upgrade no month is closed.
namespace timesheet {

bool monthClosed(data::SharedData& shared, int month, int year);

// Throws the closed-month error (data::closedMonthError) when the month of day is closed.
void refuseIfClosed(data::SharedData& shared, const QDate& day);

// The outcome of closing a month.
struct CloseVerdict {
    enum class Kind { Closed, AlreadyClosed, TimesheetDiffers };
    Kind kind = Kind::Closed;
    qint64 differingCells = 0;  // with TimesheetDiffers
};

// Closes the month under its lock (exclusive, as the rebuild takes it), so saves of the month in
// progress commit first and later ones are refused. Unless rebuildFirst, the month's timesheet
// must equal what a rebuild makes of the journal, otherwise nothing changes and the verdict says
// in how many cells it differs; with rebuildFirst the month is rebuilt and closed in one go.
// Through the database's close_month where it has it (it records the session's role and
// workstation); otherwise role and workstation are written by the client.
CloseVerdict closeMonth(data::SharedData& shared, int month, const QString& year,
                        const QString& role, const QString& workstation, bool rebuildFirst);

// Whether reopening asks for a reason: the database keeps it in the change history (its
// reopen_month function). A database upgraded before it reopens without one.
bool reopeningKeepsReason();

// Reopens the month under its lock, with the reason where the database keeps it; false when it
// was not closed.
bool reopenMonth(data::SharedData& shared, int month, const QString& year,
                 const QString& reason = {});

// How many of the month's journal entries are not accepted yet.
qint64 unacceptedEntries(data::SharedData& shared, int month, const QString& year);

// The texts of closing and reopening month MM.YYYY.
namespace closing_text {
inline constexpr const char* kCaption = "Закрытие месяца";
inline constexpr const char* kReopenCaption = "Открытие месяца";
QString state(bool closed);  // the label beside the month lists
// The label on a database without closed months: they need the upgrade.
QString stateNotUpgraded();
// The journal's label beside its date: empty for an open month.
QString journalState(bool closed);
QString closeQuestion(int month, int year, qint64 unaccepted);
QString rebuildQuestion(int month, int year, qint64 differingCells);
QString closed(int month, int year);
QString alreadyClosed(int month, int year);
QString reopenQuestion(int month, int year);
QString reasonPrompt(int month, int year);
QString reopened(int month, int year);
QString notClosed(int month, int year);
QString upgradeFirst();
}  // namespace closing_text

// This computer and its user, as the close records them: "host/user".
QString workstationName();

}  // namespace timesheet
