// Every printed layout and every workbook resolves its fields against the columns of the
// statement it is made from, on the test database; a misspelt field is refused before anything
// is printed or written, never printed as a blank column or written as blank cells.
#include "report_fixture.h"

#include "data/book_fields.h"
#include "data/dataset.h"
#include "data/db_error.h"
#include "data/journal_fields.h"
#include "data/shared_statements.h"
#include "entry/entry_snapshot.h"
#include "export/spreadsheet_bridge.h"
#include "history/history_export.h"
#include "history/history_print_layout.h"
#include "history/history_statements.h"
#include "history/history_window.h"
#include "printing/prepare.h"
#include "refbooks/norms_rules.h"
#include "refbooks/operations_statements.h"
#include "refbooks/price_list_export.h"
#include "refbooks/shown_rows.h"
#include "reports/report_catalog.h"
#include "reports/report_layouts.h"
#include "reports/summary_export.h"
#include "timesheet/month_export.h"
#include "timesheet/timesheet_print_layout.h"

#include <functional>
#include <memory>

namespace {

using reports_test::ReportTest;

const QDate kFrom{2022, 11, 1};
const QDate kTo{2022, 12, 1};

std::unique_ptr<data::Dataset> opened(const QString& sql,
                                      const QList<std::pair<QString, QVariant>>& params = {}) {
    auto rows = std::make_unique<data::Dataset>(QStringLiteral("rows"));
    rows->setSql(sql);
    for (const auto& [name, value] : params)
        rows->setParam(name, value);
    rows->open();
    return rows;
}

std::unique_ptr<data::Dataset> periodRows(const QString& sql) {
    return opened(sql, {{QStringLiteral("data1"), kFrom}, {QStringLiteral("data2"), kTo}});
}

std::unique_ptr<data::Dataset> historyRows() {
    QStringList tables;
    for (history::Kind kind : {history::Kind::Journal, history::Kind::PricesAndOperations,
                               history::Kind::ReferenceBooks, history::Kind::Months})
        tables << history::tablesOf(kind);
    return opened(history::periodRows(kFrom, kTo.addYears(10), tables));
}

// The timesheet layout's month totals of November 2022 (H_Tabel), open.
data::Dataset& openedMonthTotals(timesheet::TimesheetPrintLayout& timesheet) {
    data::Dataset& totals = timesheet.monthTotals();
    totals.setParam(QStringLiteral("mnth"), 11);
    totals.setParam(QStringLiteral("yea"), 2022);
    totals.open();
    return totals;
}

class LayoutFieldsTest : public ReportTest {
protected:
    void SetUp() override {
        ReportTest::SetUp();
        // A row for every statement, so that computed texts read their fields too.
        worker(1, "Иванов И.И.");
        product(10, "М-10", "Ящик", 0.25);
        operationKind(1, "Покраска");
        operation(100, 1, 0, 10);
        entry({2022, 11, 2}, 1, 10, 100, 12, 2, 1.5, 9005);
        testdb::exec(QStringLiteral(
            "insert into accounts_dep.norm(o_id, norma, price, prize) values (100, 10, 1.5, 5)"));
        testdb::exec(QStringLiteral("update accounts_dep.smena set ok='no', vvod=now()"));
    }
};

// Each table's grid and its editor's snapshot over the statement its window reads.
TEST_F(LayoutFieldsTest, EveryTablesFieldsAreFieldsOfItsStatement) {
    struct Table {
        const char* name;
        const data::TableFields& fields;
        std::unique_ptr<data::Dataset> rows;
        std::function<data::RowSnapshot(const data::Dataset&)> shown;
    };
    namespace statements = data::statements;
    Table tables[] = {
        {"journal", data::journalFields(),
         opened(statements::journal(1),
                {{QStringLiteral("data"), QDate(2022, 11, 2)}, {QStringLiteral("ok"), "—"}}),
         entry::shownEntry},
        {"workers", data::workerFields(), opened(statements::workers()), refbooks::shown::worker},
        {"products", data::productFields(), opened(statements::products()),
         refbooks::shown::product},
        {"operation kinds", data::operationKindFields(), opened(statements::operationKinds()),
         refbooks::shown::kind},
        {"operations", data::operationFields(), opened(statements::operations()),
         refbooks::shown::operation},
        {"norms", data::normFields(), opened(refbooks::norms::normsTableStatement()),
         refbooks::shown::norm},
    };
    for (const Table& t : tables) {
        ASSERT_GT(t.rows->recordCount(), 0) << t.name;
        for (const data::GridColumn& c : data::gridColumns(t.fields))
            EXPECT_GE(t.rows->fieldIndex(c.field), 0) << t.name << ": " << c.field.toStdString();
        t.rows->first();
        data::RowSnapshot shown;
        EXPECT_NO_THROW(shown = t.shown(*t.rows)) << t.name;
        for (const data::ShownField& f : data::comparedFields(t.fields))
            EXPECT_TRUE(shown.contains(f.field) && (f.key.isEmpty() || shown.contains(f.key)))
                << t.name << ": " << f.field.toStdString();
    }
}

TEST_F(LayoutFieldsTest, EveryPrintedLayoutResolvesAgainstItsStatement) {
    for (const reports::ReportEntry& report : reports::periodReports()) {
        const auto rows = periodRows(report.sql());
        ASSERT_GT(rows->recordCount(), 0) << report.caption.toStdString();
        EXPECT_NO_THROW(printing::prepare(report.layout(report.caption, report.heading), *rows))
            << report.caption.toStdString();
    }

    timesheet::TimesheetPrintLayout timesheet;
    data::Dataset& totals = openedMonthTotals(timesheet);
    EXPECT_NO_THROW(printing::prepare(timesheet.layout(), totals));

    const auto history = historyRows();
    ASSERT_GT(history->recordCount(), 0);
    EXPECT_NO_THROW(
        printing::prepare(history::printLayout(QStringLiteral("История"),
                                               history::HistoryWindow::columns().gridColumns()),
                          *history));
}

TEST_F(LayoutFieldsTest, EveryWorkbookResolvesAgainstItsStatement) {
    SpreadsheetBridge bridge(QStringLiteral("Поля"));
    const auto prices = opened(refbooks::operations::priceList());
    EXPECT_FALSE(refbooks::writePriceList(*prices, bridge).isEmpty());

    const auto summary = periodRows(reports::productionSummarySql());
    EXPECT_FALSE(reports::writeProductionSummary(*summary, bridge, [](int, int) {}).isEmpty());

    timesheet::TimesheetPrintLayout timesheet;
    data::Dataset& totals = openedMonthTotals(timesheet);
    EXPECT_FALSE(
        timesheet::exportMonthTotals(bridge, totals, QStringLiteral("Табель"), [](int, int) {
        }).isEmpty());

    const auto history = historyRows();
    EXPECT_FALSE(
        history::writeHistory(*history, history::HistoryWindow::columns().gridColumns(), bridge)
            .isEmpty());
}

TEST_F(LayoutFieldsTest, AMisspeltFieldIsRefusedBeforeAnythingIsPrintedOrWritten) {
    const reports::ReportEntry& report = reports::periodReports().front();
    const auto rows = periodRows(report.sql());
    auto expectRefused = [&rows, &report](printing::Layout layout, const char* field) {
        try {
            printing::prepare(layout, *rows);
            ADD_FAILURE() << "prepared with the field " << field;
        } catch (const printing::UnknownFieldError& e) {
            EXPECT_EQ(e.field().toStdString(), field);
            EXPECT_EQ(QString::fromUtf8(e.what()),
                      QStringLiteral("В данных отчета «%1» нет поля «%2».")
                          .arg(report.caption, QString::fromLatin1(field)));
        }
    };
    // A printed field, a summed one, a group's and one a computed text reads.
    printing::Layout printed = report.layout(report.caption, report.heading);
    printed.detail->add(printing::fieldText(QStringLiteral("marca")));
    expectRefused(printed, "marca");
    printing::Layout summed = report.layout(report.caption, report.heading);
    summed.reportFooter.front().add(printing::sumOf(QStringLiteral("kolvo_")));
    expectRefused(summed, "kolvo_");
    printing::Layout grouped = report.layout(report.caption, report.heading);
    grouped.groups.front().field = QStringLiteral("fio_");
    expectRefused(grouped, "fio_");
    printing::Layout computed = report.layout(report.caption, report.heading);
    computed.detail->add(
        printing::computedText([](const printing::Row&) { return QString(); }).reading({"nmn"}));
    expectRefused(computed, "nmn");

    // An editor's own text for a field its table does not compare.
    const auto workers = opened(data::statements::workers());
    const data::ShownTexts misspelt{{"fio_", [](const data::Dataset&) { return QString(); }}};
    EXPECT_THROW(data::comparedRow(data::workerFields(), *workers, misspelt),
                 std::invalid_argument);

    // The price list over a statement without the product's mark: refused, no workbook begun.
    SpreadsheetBridge bridge(QStringLiteral("Поля"));
    const auto noMark = opened(QStringLiteral("select 'Сборка' as vid, 1.5 as cena, 0 as naimen"));
    EXPECT_THROW(refbooks::writePriceList(*noMark, bridge), data::DbError);
    EXPECT_TRUE(bridge.save().isEmpty());
}

}  // namespace
