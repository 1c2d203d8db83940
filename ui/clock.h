#pragma once

#include <QDate>

namespace ui {

// Today's date from the workstation clock, unless a test has fixed it.
QDate today();
void setToday(const QDate& date);
void clearToday();

}  // namespace ui
