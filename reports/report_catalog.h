#pragma once

#include "data/user_role.h"
#include "printing/report_layout.h"
#include "reports/report_statements.h"

#include <QString>
#include <optional>
#include <vector>

// What the report window offers, and to whom: one row per printed period report. A new report
// is a row here and its layout function (report_layouts.h).
namespace reports {

// A report's layout from the preview's caption and the report's title (heading + period).
using LayoutFunction = printing::Layout (*)(const QString& caption, const QString& title);

struct ReportEntry {
    const char* objectName;  // of the report object the window owns ("Form16")
    const char* buttonName;  // of the report window's button that runs it ("Button4")
    QString caption;         // the button's text and the preview window's caption
    QString heading;         // the title before the period: heading + "DD.MM.YYYY по DD.MM.YYYY"
    const char* queryName;   // the query's statement name ("t_Report")
    QString (*sql)();        // its statement text, from report_statements.h
    LayoutFunction layout;
    std::vector<UserRole> roles;  // who may run it; the button is disabled for everybody else
    // Read the rows block by block instead of whole: for a report with very many rows.
    bool readInParts = false;

    bool mayRun(UserRole role) const;
};

// The printed period reports, in the order of the report window's buttons.
const std::vector<ReportEntry>& periodReports();

// Whether the role may save the production summary workbook ("Excel (N из M)").
bool mayExportSummary(UserRole role);

// The product kind the role's reports are fixed to, if any: the storekeeper sees finished goods.
std::optional<ProductKindChoice> fixedProductKind(UserRole role);

}  // namespace reports
