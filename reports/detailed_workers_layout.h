#pragma once

#include "reports/period_report.h"

// The printed report "Детальный отчет по рабочим" over its query w_Report.
class TForm20 : public PeriodReport {
    Q_OBJECT
public:
    explicit TForm20(QObject* parent = nullptr);

    data::Dataset* w_Report;

    printing::Layout layout() const override;
};

extern TForm20* Form20;
