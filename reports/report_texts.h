#pragma once

#include <QString>

// Texts the printed reports and the production summary compute from a row.
namespace reports {

// The colour beside a printed operation: " (грунт)" for colour 1, " (RAL: N)" for any other
// positive colour, a single blank when there is none (0 or less).
QString colourText(int color);

// The operation column of the production summary: vid + " (грунт)" for colour 1,
// vid + " (цвет: N)" for any other positive colour, vid alone otherwise.
QString summaryOperationText(const QString& kind, int color);

}  // namespace reports
