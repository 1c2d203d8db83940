#pragma once

#include <QString>
#include <functional>

namespace data {
class Dataset;
class SharedData;
}  // namespace data

namespace timesheet {

// Writes a month of the timesheet anew from the journal, all shifts with overtime: the month's
// rows are deleted, then day by day every shift and worker of the day's aggregate dt gets its
// cell, inserting the row on its first day. One transaction: on any error nothing of it stays
// and the error propagates; the deletion runs through the shared DelSmena. afterRow(day) runs after
// every written cell and after every day.
void rebuildMonth(data::SharedData& shared, int month, const QString& year, data::Dataset& dt,
                  const std::function<void(int day)>& afterRow);

}  // namespace timesheet
