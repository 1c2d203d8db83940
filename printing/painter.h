#pragma once

#include "printing/prepared_report.h"

class QPainter;
class QPrinter;
class QString;

namespace printing {

// Paints one prepared page at the device's resolution; the painter's origin is the page's
// top-left corner.
void paintPage(QPainter& painter, const PreparedPage& page, const std::vector<ItemStyle>& styles);

// Sets the printer to the report's page (A4, orientation, full page) without painting.
void setUpPrinter(QPrinter& printer, const PreparedReport& report);

// Paints every page of the report on a printer set up by setUpPrinter (only the range chosen in
// the print dialog, when there is one), making one page at a time; false when the printer cannot
// be painted on.
bool printReport(QPrinter& printer, const PagedReport& report);
void printReport(QPrinter& printer, const PreparedReport& report);

// Writes every page of the report to a PDF file; false when the file cannot be written.
bool writePdf(const QString& path, const PagedReport& report);

}  // namespace printing
