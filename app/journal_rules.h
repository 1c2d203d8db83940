#pragma once

#include <QDate>
#include <QDateTime>
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
// The mark "Принять" writes ("ok") and the one "Снять отметку" writes ("no").
QString markFor(bool accept);
// The refusal after marking several rows, `gone` of `marked` removed by another workstation.
QString goneMarksMessage(int gone, int marked);

// "Заведен": the date, and the time after it only when there is one (not midnight); NULL shows
// nothing. 07.11.2022 00:00 -> "07.11.2022", 07.11.2022 9:05:03 -> "07.11.2022 9:05:03".
QString entryTimeText(const QDateTime& stamp);

// The period "Сводные отчеты" proposes: the whole previous month of today, as from (inclusive)
// and to (exclusive); 15.01.2023 gives 01.12.2022 .. 01.01.2023.
std::pair<QDate, QDate> previousMonthPeriod(const QDate& today);

}  // namespace journal
