#pragma once

#include "reports/period_report.h"

// The printed report "Отчет по продукции" over its query t_Report.
class ProductsReport : public PeriodReport {
    Q_OBJECT
public:
    explicit ProductsReport(QObject* parent = nullptr);

    printing::Layout layout() const override;
};
