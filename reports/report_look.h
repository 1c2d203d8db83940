#pragma once

#include "printing/report_layout.h"

#include <QString>

// Pieces every period report layout shares: page set-up, fonts, band colours.
namespace reports::look {

printing::Layout page(const QString& caption);

// Report header band: title at left (bold), grows with its text; then a 0.5 mm gap.
void addReportHeader(printing::Layout& layout, printing::Band header);
printing::Item title(const QString& text, double left, double pointSize = 10);
// Bold Arial 10 pt column heading on white.
printing::Item columnHeading(const QString& text, double left, double pointSize = 10);

printing::Band firstGroupHeader(double height, const QString& field);  // light grey, bold field
printing::Band groupHeader(double height, const QString& field);       // bold field

// Detail texts: MS Sans Serif 9 pt (8 pt where a layout asks).
printing::Item detail(printing::Item item, double left, double width, printing::Align align,
                      double pointSize = 9);
// Group total: bold MS Sans Serif 9 pt on near-white grey, reset after it prints.
printing::Item groupSum(const QString& field, double left, double width, const QString& mask = {});
// Report total: bold MS Sans Serif 11 pt on near-white grey, never reset.
printing::Item reportSum(const QString& field, double left, double width, const QString& mask = {});
printing::Item totalLabel(double left);      // "Итого:"
printing::Band reportFooter(double height);  // grey, framed on all sides
printing::Band pageFooter();                 // page number at 176.2 mm, Arial 9 pt

// Computed texts of a row.
printing::Item kindText();
printing::Item colourText();

}  // namespace reports::look
