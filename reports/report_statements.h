#pragma once

#include <QDate>
#include <QString>

// Statement texts of the period reports and of the production summary, and the small rules the
// report window applies around them. Every report counts the journal rows dated
// :data1 <= data < :data2.
namespace reports {

// t_Report of "Отчет по рабочим": good pieces and money per worker, product name, operation kind,
// finished/blank and colour.
QString workersReportSql();
// t_Report of "Отчет по продукции": good pieces and their mass per product name.
QString productsReportSql();
// w_Report of "Детальный отчет по рабочим": all pieces, defects and money per worker and mark.
QString detailedWorkersReportSql();
// i_Report of "Детальный отчет по продукции": all pieces, defects, money and mass per mark.
QString detailedProductsReportSql();
// XLS_Rep of the production summary export.
QString productionSummarySql();

// The report window's choice of "Вид продукции", in the order of its buttons.
enum class ProductKindChoice {
    All,       // "Все"
    Finished,  // "Готовая продукция"
    Blanks,    // "Заготовки"
};

// The row filter of a product kind choice: "Все" gives none (empty), "Готовая продукция"
// "naimen=0", "Заготовки" "naimen=1".
QString productKindFilter(ProductKindChoice kind);

// The title of a printed report: heading + from-date + " по " + to-date (DD.MM.YYYY).
QString reportTitle(const QString& heading, const QDate& from, const QDate& to);

}  // namespace reports
