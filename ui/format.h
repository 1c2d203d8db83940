#pragma once

#include <QDate>
#include <QDateTime>
#include <QString>
#include <QVariant>

// Number and date texts as the workstation shows them. The decimal separator comes from the
// locale (a comma on a Russian workstation); no thousands separator is ever written.
namespace ui {

QChar decimalSeparator();

// Rounded to 4 decimals, ties to even (12.34565 -> 12.3456 when the product is exact).
double roundPrice(double value);

// The price display text: rounded to 4 decimals, then general format (at most 15 significant
// digits, no trailing zeros, integral values without separator). 12.5 -> "12,5", 300 -> "300".
QString priceText(double value);
QString priceText(double value, QChar separator);

// General format of a float: shortest text with at most 15 significant digits.
QString shortestFloat(double value);
QString shortestFloat(double value, QChar separator);
// The same for a fetched value; NULL gives an empty text.
QString shortestFloatOrEmpty(const QVariant& value);

// The masks of the printed and shown numbers: "#0.000", "#0.00", "#0", "#0.00#".
// An unknown or empty mask gives the shortest form.
QString formatMask(double value, const QString& mask);
QString formatMask(double value, const QString& mask, QChar separator);

// DD.MM.YYYY, the workstation's short date format.
QString dateText(const QDate& date);
QDate parseDate(const QString& text);  // invalid date when the text is not DD.MM.YYYY
// The date, and the time after it only when there is one (not midnight); an invalid moment (NULL)
// shows nothing. 07.11.2022 00:00 -> "07.11.2022", 07.11.2022 9:05:03 -> "07.11.2022 9:05:03".
QString momentText(const QDateTime& moment);

}  // namespace ui
