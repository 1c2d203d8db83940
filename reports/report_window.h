#pragma once

#include "ui/window.h"

#include <QDate>
#include <memory>

class DetailedProductsReport;
class DetailedWorkersReport;
class PeriodReport;
class ProductsReport;
class ReportProgress;
class QDateEdit;
class QGroupBox;
class QPushButton;
class QRadioButton;
class WorkersReport;
namespace data {
class Dataset;
}

// The report period window "Отчеты": product kind, period, the four reports and the production
// summary export.
class ReportWindow : public ui::Window {
    Q_OBJECT
public:
    explicit ReportWindow(QWidget* parent = nullptr);
    ~ReportWindow() override;

    // Index of the chosen product kind (0 "Все", 1 "Готовая продукция", 2 "Заготовки").
    int productKindIndex() const;
    void setProductKindIndex(int index);

    // The journal's "Сводные отчеты": the period set, then shown modally.
    void showWithPeriod(const QDate& from, const QDate& to);

    // For the rest of the process: every report but "Детальный отчет по продукции" unavailable;
    // the product kind fixed to index.
    void lockReports();
    void lockProductKind(int index);

    // The production summary query of the spreadsheet export.
    data::Dataset& summaryQuery() const { return *summary_; }

    void runWorkersReport();           // "Отчет по рабочим"
    void runProductsReport();          // "Отчет по продукции"
    void runDetailedWorkersReport();   // "Детальный отчет по рабочим"
    void runDetailedProductsReport();  // "Детальный отчет по продукции"
    void exportSummary();              // production summary into a workbook

private:
    // Runs a report query over the period and product kind, titles and previews its layout; the
    // progress window follows the rows read and the pages laid out, and its "Отмена" ends the run
    // back here with nothing left open.
    void runReport(PeriodReport& report, const QString& heading);
    // Period parameters and the product kind filter of a report or export query.
    void prepareQuery(data::Dataset& query) const;

    WorkersReport* workersReport_;
    ProductsReport* productsReport_;
    DetailedWorkersReport* detailedWorkersReport_;
    DetailedProductsReport* detailedProductsReport_;
    data::Dataset* summary_;  // the production summary query (XLS_Rep)
    std::unique_ptr<ReportProgress> progress_;

    QGroupBox* kindGroup_;          // "Вид продукции"
    QRadioButton* kindButtons_[3];  // "Все", "Готовая продукция", "Заготовки"
    QGroupBox* periodGroup_;        // "Период отбора"
    QDateEdit* fromPicker_;         // label "с"
    QDateEdit* toPicker_;           // label "по"
    QPushButton* workersButton_;           // "Отчет по рабочим"
    QPushButton* productsButton_;          // "Отчет по продукции"
    QPushButton* detailedWorkersButton_;   // "Детальный отчет по рабочим"
    QPushButton* detailedProductsButton_;  // "Детальный отчет по продукции"
    QPushButton* summaryButton_;           // production summary export, "Excel (0 из 0)"
    QPushButton* exitButton_;              // "Выход"
};
