#pragma once

#include "printing/prepared_report.h"
#include "printing/report_layout.h"

namespace data {
class Dataset;
}

namespace printing {

// Lays out every page of the layout over the dataset's rows after its filter, in their order.
// The dataset's cursor is not moved. Every sum starts from zero. An empty dataset still gives
// one page with the report header, the report footer (zero sums) and the page footer.
PreparedReport prepare(const Layout& layout, const data::Dataset& dataset);

}  // namespace printing
