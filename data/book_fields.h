#pragma once

#include "data/table_fields.h"

// The reference books' fields, each list in its grid's order: the lists' grids, their editors'
// overwrite checks (refbooks/shown_rows.h) and the change history's captions come from here.
namespace data {

const TableFields& workerFields();         // accounts_dep.person
const TableFields& productFields();        // accounts_dep.izdel (cmn_gds_and_srv.gds_and_srv)
const TableFields& operationKindFields();  // accounts_dep.vid_oper
const TableFields& operationFields();      // accounts_dep.oper with its product's and kind's names
const TableFields& normFields();           // accounts_dep.norm

}  // namespace data
