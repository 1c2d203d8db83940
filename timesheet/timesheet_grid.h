#pragma once

#include "timesheet/month_calendar.h"

#include <array>

class QObject;
class QTableView;
namespace data {
class Dataset;
class DatasetModel;
}  // namespace data

// How a shift's grid of "Табель по времени" shows a month: the worker, a column per day, the
// month's total; the day titles and cells painted by the chosen month's day looks.
namespace timesheet {

using DayLooks = std::array<DayColumnLook, 31>;

// Binds grid to the shift's timesheet query through a data link owned by owner. The link reads
// looks whenever it paints a cell, so looks must outlive it.
data::DatasetModel* bindShiftGrid(QTableView* grid, data::Dataset* shiftQuery,
                                  const DayLooks& looks, QObject* owner);

// Shows looks (a newly chosen month's) in the link's day titles and cells.
void showDayLooks(data::DatasetModel* link, const DayLooks& looks);

}  // namespace timesheet
