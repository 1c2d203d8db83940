#pragma once

#include "data/user_role.h"
#include "export/spreadsheet_bridge.h"
#include "reports/report_statements.h"
#include "ui/window.h"

#include <QDate>
#include <memory>
#include <vector>

namespace reports {
class PeriodReport;
class ReportProgress;
}  // namespace reports
class QDateEdit;
class QGroupBox;
class QPushButton;
class QRadioButton;
class QVBoxLayout;
namespace data {
class Dataset;
}

namespace reports {

// The report period window "Отчеты": product kind, period, a button per printed report of the
// catalog (report_catalog.h) and the production summary export.
class ReportWindow : public ui::Window {
    Q_OBJECT
public:
    explicit ReportWindow(QWidget* parent = nullptr);
    ~ReportWindow() override;

    reports::ProductKindChoice productKind() const;
    void setProductKind(reports::ProductKindChoice kind);

    // The journal's "Сводные отчеты": the period set, then shown modally.
    void showWithPeriod(const QDate& from, const QDate& to);

    // For the rest of the process: the reports the role may not run and the summary export it
    // may not save unavailable; the product kind fixed where the role's reports are.
    void restrictTo(UserRole role);

    // The production summary query of the spreadsheet export.
    data::Dataset& summaryQuery() const { return *summary_; }

    // Runs one of this window's reports over the period and product kind, titles and previews
    // its layout; the progress window follows the rows read and the pages laid out, and its
    // "Отмена" ends the run back here with nothing left open.
    void run(reports::PeriodReport& report);
    void exportSummary();  // production summary into a workbook
    // The workbook exportSummary saved last; empty before.
    QString lastSavedWorkbook() const { return workbook_.lastSavedPath(); }

private:
    // A catalog report and the button that runs it.
    struct OfferedReport {
        reports::PeriodReport* report;
        QPushButton* button;
    };

    void buildKindGroup();
    void buildPeriodGroup();
    void buildButtons();
    void arrange();
    void connectButtons();
    // Period parameters and the product kind filter of a report or export query.
    void prepareQuery(data::Dataset& query) const;

    std::vector<OfferedReport> offered_;
    data::Dataset* summary_;  // the production summary query "XLS_Rep"
    std::unique_ptr<reports::ReportProgress> progress_;
    SpreadsheetBridge workbook_{QStringLiteral("Отчет")};  // the production summary's

    QGroupBox* kindGroup_;  // "Вид продукции"
    QRadioButton* kindButtons_[3];  // by ProductKindChoice: "Все", "Готовая продукция", "Заготовки"
    QGroupBox* periodGroup_;      // "Период отбора"
    QDateEdit* fromPicker_;       // label "с"
    QDateEdit* toPicker_;         // label "по"
    QPushButton* summaryButton_;  // production summary export, "Excel (0 из 0)"
    QPushButton* exitButton_;     // "Выход"
};

}  // namespace reports
