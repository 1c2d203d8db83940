#pragma once

#include <QString>

// Fixed texts of the shared queries and commands. Multi-line texts are their lines joined by a
// line break, exactly as the other workstations' programs send them.
namespace data::statements {

QString workers();
QString products();
QString operations();
QString operationKinds();
QString journal(int shift);         // journal of shift 1..4
QString shiftTimesheet(int shift);  // timesheet of shift 1..3
QString deleteOperation();

}  // namespace data::statements
