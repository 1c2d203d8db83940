#pragma once

#include "reports/period_report.h"

// The printed report "Отчет по рабочим" over its query t_Report.
class WorkersReport : public PeriodReport {
    Q_OBJECT
public:
    explicit WorkersReport(QObject* parent = nullptr);

    printing::Layout layout() const override;
};
