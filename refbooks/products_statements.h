#pragma once

#include <QString>

// Statement and filter texts of the products list and the product editor, and the rules of the
// quantity box. The mark is spliced only with its apostrophes doubled.
namespace refbooks::products {

// Incremental search by mark; no text, no filter.
QString markFilter(const QString& typed);

// Characters the mark's column takes (cmn_gds_and_srv.gds_and_srv.s_caption).
constexpr int kMarkLength = 512;

// Duplicate counts, marks compared upper-cased; the change form leaves the product itself out.
QString duplicateMarkOnAdd(const QString& mark);
QString duplicateMarkOnChange(const QString& mark, qint64 ownId);

// A new product is a goods row of the enterprise register (unit 6); a changed product rewrites
// the mark and quantity of its own goods row.
QString insertProduct(const QString& mark, double quantity);
QString updateProduct(qint64 id, const QString& mark, double quantity);

// The quantity as a numeric literal: "." as decimal point, integral values without fraction,
// at most 15 significant digits.
QString quantityLiteral(double quantity);

// Reads the quantity box's whole text through the box's key rule (ui::decimalKey), "," being
// the decimal mark; throws std::invalid_argument with the text of the conversion error when it is
// no number.
double parseQuantity(const QString& text);

}  // namespace refbooks::products
