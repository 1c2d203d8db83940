#pragma once

#include "refbooks/row_change.h"

namespace data {
class SharedData;
}

// Writing the products' book (the goods register's rows); each write announces the product
// (data::Subject::Product).
namespace refbooks::products {

inline constexpr const char* kDuplicateMarkMessage = "Такая марка изделия уже заведена!";

// A new product, or the change of the loaded one (SQL_exec): Duplicate when another product
// bears the mark (upper-cased), else Saved, or for a change ChangedElsewhere or Gone with the
// stored row.
data::Verdict save(data::SharedData& db, const QString& mark, double quantity,
                   const RowChange& change);

}  // namespace refbooks::products
