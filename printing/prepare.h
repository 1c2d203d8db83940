#pragma once

#include "printing/prepared_report.h"
#include "printing/report_layout.h"
#include "printing/row_source.h"

#include <memory>

namespace printing {

class Preparer;
class WorkProgress;

// A report laid out over rows, whole or a part at a time: every page's bands with the row each
// prints, the sums as they printed. A page's items are made when it is read, from the rows, so they
// (a dataset: open and unchanged) must stay as they are while the report is read.
class LaidOutReport : public PagedReport {
public:
    // With progress, it is told how far the layout has come and may stop it (WorkCancelled).
    // With firstPages, only so many pages are laid out now (fewer when the rows end first); the
    // rest follows part by part (continueLayout) or at once (finishLayout, whole). With a feed,
    // the rows come in parts (RowFeed): each part is read when the layout has placed the rows
    // before it, so the first pages need only the first rows.
    LaidOutReport(const Layout& layout, const RowSource& rows, WorkProgress* progress = nullptr,
                  int firstPages = 0, RowFeed* feed = nullptr);
    ~LaidOutReport() override;

    // Pages a part of the layout adds.
    static constexpr int kPagesPerPart = 50;

    const PreparedReport& format() const override;
    int pageCount() const override;  // the pages laid out whole so far
    PreparedPage page(int index) const override;
    bool complete() const override;
    void continueLayout() const override;
    void finishLayout() const override;
    // Every page made.
    PreparedReport whole() const;

private:
    const Layout layout_;
    std::unique_ptr<Preparer> preparer_;
};

// Lays out every page of the layout over the rows, in their order (a dataset's rows after its
// filter; its cursor is not moved). Every sum starts from zero. Without rows there is still
// one page with the report header, the report footer (zero sums) and the page footer. With a
// feed, every part of the rows is read on the way.
PreparedReport prepare(const Layout& layout, const RowSource& rows,
                       WorkProgress* progress = nullptr, RowFeed* feed = nullptr);

}  // namespace printing
