#pragma once

#include "ui/text_checks.h"

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

// The key rule of a cell's box: the digits of a whole number for "norma" and "prize", those of a
// decimal number for "price" (as the product's "Расценка"), "." entered as ",".
ui::KeyRule cellKeyRule(const QString& field);

// Reads a typed cell of the column field ("norma", "price", "prize"): the whole text, trimmed,
// read by the cell's key rule, so that pasted text passes the same rule as typed text.
CellValue parseCell(const QString& field, const QString& text);

// A stored value as the cell's box holds it for editing: digits, and "," before a price's
// fraction (12.5 -> "12,5"), never an exponent or a group separator.
QString editText(const QString& field, const QVariant& value);

// Why a norm row cannot be stored yet; empty when it can. A norm without a price prices nothing.
QString rowProblem(const QVariant& price);

// The norms table as the window edits it, every operation's norms in order of norm; the window
// filters it to one operation.
QString normsTableStatement();

// The price as the grid shows it, "#0.00#": 7 -> "7,00", 12.125 -> "12,125".
QString priceText(const QVariant& price);

}  // namespace refbooks::norms
