#include "per_cell_rebuild.h"

#include "data/data_module.h"
#include "data/dataset.h"
#include "timesheet/month_calendar.h"
#include "timesheet/rebuild_statements.h"

namespace reference {

void rebuildMonthPerCell(data::SharedData& shared, int month, const QString& year) {
    namespace rb = timesheet::rebuild;
    const QDate first = timesheet::firstDayOf(month, year);
    shared.entryDeletion.setSql(rb::deleteMonth(month, year));
    shared.entryDeletion.exec();
    data::Dataset dt(QStringLiteral("dt"));
    dt.setSql(rb::dayAggregate());
    for (int day = 1; day <= first.daysInMonth(); ++day) {
        dt.setParam(QStringLiteral("data"), first.addDays(day - 1));
        dt.open();
        for (dt.first(); !dt.eof(); dt.next()) {
            const QString w = dt.text(QStringLiteral("w_id"));
            const QString s = dt.text(QStringLiteral("smena"));
            QString t = dt.text(QStringLiteral("tim"));
            if (t.isEmpty())
                t = QStringLiteral("0");  // entries without hours count none
            const qint64 cnt = shared.countOf(rb::rowCount(w, s, month, year));
            shared.timesheetInsert.setSql(cnt != 0 ? rb::updateDay(day, t, w, s, month, year)
                                                   : rb::insertDay(day, s, w, month, year, t));
            shared.timesheetInsert.exec();
        }
        dt.close();
    }
}

}  // namespace reference
