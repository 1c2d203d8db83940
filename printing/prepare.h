#pragma once

#include "printing/prepared_report.h"
#include "printing/report_layout.h"
#include "printing/row_source.h"

namespace printing {

// Lays out every page of the layout over the rows, in their order (a dataset's rows after its
// filter; its cursor is not moved). Every sum starts from zero. Without rows there is still
// one page with the report header, the report footer (zero sums) and the page footer.
PreparedReport prepare(const Layout& layout, const RowSource& rows);

}  // namespace printing
