#pragma once

#include "printing/report_layout.h"

#include <QObject>
#include <QString>

namespace data {
class Dataset;
}
namespace printing {
class WorkProgress;
}
namespace reports {
struct ReportEntry;
}

namespace reports {

// A printed period report as its catalog row describes it (report_catalog.h): the query it owns,
// its title and its banded layout. Never shown as a window; the report window that owns it opens
// the query, sets the title and previews it.
class PeriodReport : public QObject {
    Q_OBJECT
public:
    // The row lives for the whole process (reports::periodReports()).
    PeriodReport(const reports::ReportEntry& entry, QObject* parent);

    const reports::ReportEntry& entry() const { return entry_; }
    data::Dataset& query() const { return *query_; }

    // The title: heading + period, set by the report run.
    const QString& title() const { return title_; }
    void setTitle(const QString& title) { title_ = title; }

    // The layout with the current title.
    printing::Layout layout() const;

    // Lays out every page over the query's rows (after its filter) and shows the preview until it
    // is closed; rows the query has still to read (Dataset::openFirstPart) are read as the pages
    // need them, the first pages' before the preview shows. With progress, the read and the
    // layout tell it how far they have come and stop (printing::WorkCancelled) when it is
    // cancelled.
    void preview(printing::WorkProgress* progress = nullptr) const;

private:
    const reports::ReportEntry& entry_;
    data::Dataset* query_;
    QString title_;
};

}  // namespace reports
