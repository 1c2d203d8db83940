#pragma once

#include <QLocale>
#include <QString>
#include <QVariant>

// What the norms grid accepts. The table's columns are integers (norma, prize) and a float
// (price); a value the table cannot hold is refused here with a message the foreman can act on,
// instead of a driver error after the row was half-entered.
namespace refbooks::norms {

struct CellValue {
    QVariant value;   // null for an empty cell
    QString problem;  // non-empty when the text is refused
};

// Reads a typed cell of the column field ("norma", "price", "prize"); both "," and the locale's
// separator are taken as the decimal mark of a price.
CellValue parseCell(const QString& field, const QString& text, const QLocale& locale);

// Why a norm row cannot be stored yet; empty when it can. A norm without a price prices nothing.
QString rowProblem(const QVariant& price);

// The norms table as the window edits it, every operation's norms in order of norm; the window
// filters it to one operation.
QString normsTableStatement();

// The price as the grid shows it, "#0.00#": 7 -> "7,00", 12.125 -> "12,125".
QString priceText(const QVariant& price);

}  // namespace refbooks::norms
