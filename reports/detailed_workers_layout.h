#pragma once

#include "reports/period_report.h"

// The printed report "Детальный отчет по рабочим" over its query w_Report.
class DetailedWorkersReport : public PeriodReport {
    Q_OBJECT
public:
    explicit DetailedWorkersReport(QObject* parent = nullptr);

    printing::Layout layout() const override;
};
