#include "reports/report_catalog.h"

#include "reports/report_layouts.h"

#include <algorithm>

namespace reports {

namespace {
const std::vector<UserRole> kEverybody{UserRole::Reviewer, UserRole::Foreman, UserRole::Storekeeper,
                                       UserRole::Administrator};
const std::vector<UserRole> kReviewerAndAdministrator{UserRole::Reviewer, UserRole::Administrator};
}  // namespace

bool ReportEntry::mayRun(UserRole role) const {
    return std::ranges::find(roles, role) != roles.end();
}

const std::vector<ReportEntry>& periodReports() {
    static const std::vector<ReportEntry> rows{
        {.objectName = "Form16",
         .buttonName = "Button4",
         .caption = QStringLiteral("Отчет по рабочим"),
         .heading = QStringLiteral("   Отчет по рабочим за период с "),
         .queryName = "t_Report",
         .sql = workersReportSql,
         .layout = workersReportLayout,
         .roles = kReviewerAndAdministrator,
         // A row per worker, product, operation and colour: hundreds of thousands over a long
         // period, and the first page needs only the first of them.
         .readInParts = true},
        {.objectName = "Form17",
         .buttonName = "Button2",
         .caption = QStringLiteral("Отчет по продукции"),
         .heading = QStringLiteral("   Отчет по продукции за период с "),
         .queryName = "t_Report",
         .sql = productsReportSql,
         .layout = productsReportLayout,
         .roles = kReviewerAndAdministrator},
        {.objectName = "Form20",
         .buttonName = "Button1",
         .caption = QStringLiteral("Детальный отчет по рабочим"),
         .heading = QStringLiteral("   Детальный отчет по рабочим за период с "),
         .queryName = "w_Report",
         .sql = detailedWorkersReportSql,
         .layout = detailedWorkersReportLayout,
         .roles = kReviewerAndAdministrator,
         // A row per worker, mark, operation and colour: about a million over a long period, too
         // many for the driver to hold whole besides the dataset.
         .readInParts = true},
        {.objectName = "Form21",
         .buttonName = "Button3",
         .caption = QStringLiteral("Детальный отчет по продукции"),
         .heading = QStringLiteral("   Детальный отчет по продукции за период с "),
         .queryName = "i_Report",
         .sql = detailedProductsReportSql,
         .layout = detailedProductsReportLayout,
         .roles = kEverybody},
    };
    return rows;
}

bool mayExportSummary(UserRole role) {
    return std::ranges::find(kReviewerAndAdministrator, role) != kReviewerAndAdministrator.end();
}

std::optional<ProductKindChoice> fixedProductKind(UserRole role) {
    if (role == UserRole::Storekeeper)
        return ProductKindChoice::Finished;
    return std::nullopt;
}

}  // namespace reports
