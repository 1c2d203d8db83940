#pragma once

#include <QString>

// Texts the printed reports and the production summary compute from a row.
namespace reports {

// "Готовая продукция" for naimen 0, "Заготовки" for any other value.
QString kindText(int naimen);

// The colour beside a printed operation: " (грунт)" for colour 1, " (RAL: N)" for any other
// positive colour, a single blank when there is none (0 or less).
QString colourText(int color);

// The operation column of the production summary: vid + " (грунт)" for colour 1,
// vid + " (цвет: N)" for any other positive colour, vid alone otherwise.
QString summaryOperationText(const QString& vid, int color);

}  // namespace reports
