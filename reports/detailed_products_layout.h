#pragma once

#include "reports/period_report.h"

// The printed report "Детальный отчет по продукции" over its query i_Report.
class DetailedProductsReport : public PeriodReport {
    Q_OBJECT
public:
    explicit DetailedProductsReport(QObject* parent = nullptr);

    printing::Layout layout() const override;
};
