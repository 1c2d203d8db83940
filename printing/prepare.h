#pragma once

#include "printing/prepared_report.h"
#include "printing/report_layout.h"

namespace data {
class Dataset;
}

#include <memory>

namespace printing {

class Preparer;

// A report laid out over a dataset's rows: every page's bands with the row each prints, the sums
// as they printed. A page's items are made when it is read, from the rows, so the dataset must
// stay open and unchanged while the report is read.
class LaidOutReport : public PagedReport {
public:
    LaidOutReport(const Layout& layout, const data::Dataset& dataset);
    ~LaidOutReport() override;

    const PreparedReport& format() const override;
    int pageCount() const override;
    PreparedPage page(int index) const override;
    // Every page made.
    PreparedReport whole() const;

private:
    const Layout layout_;
    std::unique_ptr<Preparer> preparer_;
};

// Lays out every page of the layout over the dataset's rows after its filter, in their order.
// The dataset's cursor is not moved. Every sum starts from zero. An empty dataset still gives
// one page with the report header, the report footer (zero sums) and the page footer.
PreparedReport prepare(const Layout& layout, const data::Dataset& dataset);

}  // namespace printing
