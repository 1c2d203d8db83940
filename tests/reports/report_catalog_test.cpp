// Who may run which report: the catalog's rows against the roles table of the user's guide.
#include "reports/report_catalog.h"

#include <gtest/gtest.h>

#include <QStringList>
#include <optional>

namespace {

using reports::ProductKindChoice;

// The captions of the reports the role may run, in the order of the report window's buttons.
QStringList reportsFor(UserRole role) {
    QStringList captions;
    for (const reports::ReportEntry& entry : reports::periodReports())
        if (entry.mayRun(role))
            captions << entry.caption;
    return captions;
}

TEST(ReportCatalog, RolesTable) {
    const QStringList all{"Отчет по рабочим", "Отчет по продукции", "Детальный отчет по рабочим",
                          "Детальный отчет по продукции"};
    const QStringList detailedProductsOnly{"Детальный отчет по продукции"};
    const struct {
        UserRole role;
        QStringList reports;
        bool summary;
        std::optional<ProductKindChoice> fixedKind;
    } cases[] = {
        {UserRole::Foreman, detailedProductsOnly, false, std::nullopt},
        {UserRole::Storekeeper, detailedProductsOnly, false, ProductKindChoice::Finished},
        {UserRole::Reviewer, all, true, std::nullopt},
        {UserRole::Administrator, all, true, std::nullopt},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(static_cast<int>(c.role));
        EXPECT_EQ(reportsFor(c.role), c.reports);
        EXPECT_EQ(reports::mayExportSummary(c.role), c.summary);
        EXPECT_EQ(reports::fixedProductKind(c.role), c.fixedKind);
    }
}

}  // namespace
