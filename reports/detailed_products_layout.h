#pragma once

#include "reports/period_report.h"

// The printed report "Детальный отчет по продукции" over its query i_Report.
class TForm21 : public PeriodReport {
    Q_OBJECT
public:
    explicit TForm21(QObject* parent = nullptr);

    data::Dataset* i_Report;

    printing::Layout layout() const override;
};

extern TForm21* Form21;
