#include "timesheet/month_rebuild.h"

#include "data/change.h"
#include "data/command.h"
#include "data/data_module.h"
#include "data/db_error.h"
#include "data/quoted_text.h"
#include "data/transaction.h"
#include "timesheet/month_calendar.h"
#include "timesheet/month_lock.h"
#include "timesheet/rebuild_statements.h"

namespace timesheet {

void rebuildMonth(data::SharedData& shared, int month, const QString& year,
                  const std::function<void(int done, int steps)>& afterStep) {
    const QDate first = firstDayOf(month, year);
    if (!first.isValid())
        throw data::DbError(data::quotedUserText(year) + QStringLiteral(" не является годом"));

    data::Transaction transaction;
    lockMonthForRebuild(month, first.year());
    // Every save of the month waits for the rebuild from here on, so the rebuild never waits for
    // a row another session holds: it is refused at once and lets the month go.
    data::Command(QStringLiteral("lockRows"), rebuild::lockMonthRows(month, year)).exec();
    data::Command note;
    note.setSql(rebuild::noteRebuild(month, first.year()));
    note.exec();
    shared.entryDeletion.setSql(rebuild::deleteMonth(month, year));
    shared.entryDeletion.exec();
    afterStep(1, 2);
    shared.timesheetInsert.setSql(rebuild::monthInsert(month, year));
    shared.timesheetInsert.exec();
    afterStep(2, 2);
    data::announce(data::Change::timesheet(first.year(), month));
    transaction.commit();
}

}  // namespace timesheet
