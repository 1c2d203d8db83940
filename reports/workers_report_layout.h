#pragma once

#include "reports/period_report.h"

// The printed report "Отчет по рабочим" over its query t_Report.
class TForm16 : public PeriodReport {
    Q_OBJECT
public:
    explicit TForm16(QObject* parent = nullptr);

    data::Dataset* t_Report;

    printing::Layout layout() const override;
};

extern TForm16* Form16;
