#pragma once

#include "reports/period_report.h"

// The printed report "Отчет по продукции" over its query t_Report.
class TForm17 : public PeriodReport {
    Q_OBJECT
public:
    explicit TForm17(QObject* parent = nullptr);

    data::Dataset* t_Report;

    printing::Layout layout() const override;
};

extern TForm17* Form17;
