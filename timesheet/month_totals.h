#pragma once

#include <QString>

// The month's hours per worker with all shifts of a day added together (overtime included), as
// the timesheet is printed and exported.
namespace timesheet {

// The statement of H_Tabel: fio and the day sums sd1..sd31; parameters :mnth and :yea.
QString monthTotalsQuery();

// Field name of a day sum, "sd1".."sd31".
const QString& daySumField(int day);

}  // namespace timesheet
