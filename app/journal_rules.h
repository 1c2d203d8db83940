#pragma once

#include <QDate>
#include <QString>
#include <utility>

// Rules of the shift journal window, free of widgets.
namespace journal {

// Saturday and Sunday are days off ("Выходной").
bool isWeekend(const QDate& day);

// "ok" and "да" (exactly) count as accepted; the grid shows them green, anything else red.
bool isAccepted(const QString& mark);
quint32 markColor(const QString& mark);  // $00BBGGRR
// The mark a double-click writes: accepted -> "no", otherwise "ok".
QString toggledMark(const QString& mark);

// The period "Сводные отчеты" proposes: the whole previous month of today, as from (inclusive)
// and to (exclusive); 15.01.2023 gives 01.12.2022 .. 01.01.2023.
std::pair<QDate, QDate> previousMonthPeriod(const QDate& today);

}  // namespace journal
