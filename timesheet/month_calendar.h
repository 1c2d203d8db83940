#pragma once

#include <QDate>
#include <QString>
#include <QStringList>
#include <array>

// The calendar of the timesheet window: month and year lists, and the look of the 31 day
// columns for a month.
namespace timesheet {

inline constexpr int kFirstYear = 2007;

// "Январь" .. "Декабрь".
const QStringList& monthNames();
// The year list, kFirstYear up to the year after today's, so the current month can be chosen.
QStringList yearList(const QDate& today);
// The list entry for a year: its own, or the nearest end of the list when it is outside.
int yearIndexFor(int year, const QStringList& years);

// The first day of the month read from "01." + month + "." + year text; invalid if the year
// text is not a year.
QDate firstDayOf(int month, const QString& yearText);

struct DayColumnLook {
    quint32 cellColor;   // font colour of the column's cells ($00BBGGRR or system colour)
    quint32 titleColor;  // font colour of its title
    bool readOnly;       // a day the month does not have
};

// Day d (1..31) at index d-1: weekends red by (w + d) mod 7 in {1, 2} with w the first day's
// weekday numbered Sunday = 1; days past the month's end read-only, hidden, silver titles.
std::array<DayColumnLook, 31> dayColumnLooks(const QDate& firstDay);

}  // namespace timesheet
