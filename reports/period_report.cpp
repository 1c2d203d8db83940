#include "reports/period_report.h"

#include "data/dataset.h"
#include "printing/preview.h"
#include "reports/report_catalog.h"

reports::PeriodReport::PeriodReport(const reports::ReportEntry& entry, QObject* parent)
    : QObject(parent),
      entry_(entry),
      query_(new data::Dataset(QString::fromLatin1(entry.queryName), this)) {
    setObjectName(QString::fromLatin1(entry.objectName));
    query_->setSql(entry.sql());
    query_->setReadInParts(entry.readInParts);
}

printing::Layout reports::PeriodReport::layout() const {
    return entry_.layout(entry_.caption, title_);
}

void reports::PeriodReport::preview(printing::WorkProgress* progress) const {
    printing::previewReport(layout(), *query_, progress, query_);
}
