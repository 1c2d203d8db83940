#pragma once

#include "printing/prepared_report.h"

#include <QString>
#include <QStringList>
#include <optional>

// Reading a prepared report the way the tests check it: items found by text, texts by position.
namespace testing_support {

// The first item of a page (0-based) with this text, boxes left out; with topMm, the first whose
// top edge lies within 0.05 mm of it (mm from the page's top edge). Null when there is none.
const printing::PreparedItem* findItem(const printing::PreparedReport& report, int page,
                                       const QString& text,
                                       std::optional<double> topMm = std::nullopt);
// As findItem, for an item the test expects: throws (failing the test) when there is none.
const printing::PreparedItem& itemWithText(const printing::PreparedReport& report, int page,
                                           const QString& text);

// Texts of every page of a report, in paint order.
QStringList allTexts(const printing::PreparedReport& report);
// Texts of the report's items of a kind whose box starts left mm from the default 10 mm left
// margin, in order.
QStringList textsAt(const printing::PreparedReport& report, printing::PreparedKind kind,
                    double left);

// What a report prints badly, as lines for a failure message: "page N: A is wider than its box"
// for a text wider than its box (wrapping texts aside), "page N: A overlaps B" for two printed
// items (boxes and blank texts aside) whose boxes overlap. Empty when nothing is.
QStringList misfits(const printing::PreparedReport& report);

// What a PDF file lacks of the report: "page N: text" for every text of a page that its page in
// the PDF does not show (blanks left out of both), and a line when the page counts differ.
QStringList missingFromPdf(const QString& pdf, const printing::PreparedReport& report);

}  // namespace testing_support
