#include "timesheet/month_rebuild.h"

#include "data/data_module.h"
#include "data/db_error.h"
#include "data/transaction.h"
#include "timesheet/month_calendar.h"
#include "timesheet/month_lock.h"
#include "timesheet/rebuild_statements.h"

namespace timesheet {

void rebuildMonth(int month, const QString& year,
                  const std::function<void(int done, int steps)>& afterStep) {
    const QDate first = firstDayOf(month, year);
    if (!first.isValid())
        throw data::DbError(QStringLiteral("'") + year + QStringLiteral("' не является годом"));

    data::Transaction transaction;
    lockMonthForRebuild(month, first.year());
    DataModule6->DelSmena.setSql(rebuild::deleteMonth(month, year));
    DataModule6->DelSmena.exec();
    afterStep(1, 2);
    DataModule6->H_Tabel_ins.setSql(rebuild::monthInsert(month, year));
    DataModule6->H_Tabel_ins.exec();
    afterStep(2, 2);
    transaction.commit();
}

}  // namespace timesheet
