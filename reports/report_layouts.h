#pragma once

#include "printing/report_layout.h"

#include <QString>

// The banded layouts of the printed period reports (report_catalog.h), built from reports::look.
// Each takes the preview's caption and the report's title (heading + period).
namespace reports {

// "Отчет по рабочим": by worker and product name; good pieces and money.
printing::Layout workersReportLayout(const QString& caption, const QString& title);
// "Отчет по продукции": by product name; good pieces and their mass.
printing::Layout productsReportLayout(const QString& caption, const QString& title);
// "Детальный отчет по рабочим": by worker; all pieces, defects and money per mark.
printing::Layout detailedWorkersReportLayout(const QString& caption, const QString& title);
// "Детальный отчет по продукции": by product name; all pieces, defects, money and mass per mark.
printing::Layout detailedProductsReportLayout(const QString& caption, const QString& title);

}  // namespace reports
