#pragma once

#include <QLocale>
#include <QString>

#include <optional>

namespace exporting {

// The number a cell text stands for when typed into a spreadsheet on this workstation: read with
// the locale's decimal separator ("12,5" on a Russian workstation, "007" is 7); nothing for any
// other text.
std::optional<double> cellNumber(const QString& text, const QLocale& locale);

// Column width (in characters of the default font) that shows a text of this many characters,
// however short: a fitted column narrows as well as widens.
double fittedColumnWidth(int widestText);

}  // namespace exporting
