#pragma once

#include "data/table_fields.h"

namespace data {

// The journal entries' fields (accounts_dep.smena, read by the journal's statement with its
// workers', products' and operations' names): the journal grid's columns in their order, the
// entry editor's overwrite check and the change history's captions all come from here. A new
// journal column is one field here and its field in the journal's statement.
const TableFields& journalFields();

}  // namespace data
