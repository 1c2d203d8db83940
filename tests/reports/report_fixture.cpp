#include "report_fixture.h"

#include "../support/journal_entries.h"

#include "printing/preview.h"
#include "reports/report_window.h"

#include <QDateEdit>
#include "../support/app_windows.h"

using namespace testing_support;

namespace reports_test {

void ReportTest::SetUp() {
    testdb::AppTest::SetUp();
    printing::setPreviewHook(
        [this](const printing::PreparedReport& report) { previews.push_back(report); });
}

void ReportTest::TearDown() {
    printing::clearPreviewHook();
    reportWindow().setProductKind(reports::ProductKindChoice::All);
    testdb::AppTest::TearDown();
}

void ReportTest::worker(int id, const QString& fullName) {
    testdb::exec(QStringLiteral("insert into accounts_dep.person(id, fio) values (%1, '%2')")
                     .arg(id)
                     .arg(fullName));
}

void ReportTest::product(int id, const QString& mark, const QString& productName, double mass) {
    testdb::exec(QStringLiteral("insert into cmn_gds_and_srv.gds_and_srv(id, s_caption, s_name, "
                                "id_msm_bs, massa) values (%1, '%2', '%3', 6, %4)")
                     .arg(id)
                     .arg(mark, productName)
                     .arg(mass));
}

void ReportTest::operationKind(int id, const QString& kindName) {
    testdb::exec(QStringLiteral("insert into accounts_dep.vid_oper(id, vid) values (%1, '%2')")
                     .arg(id)
                     .arg(kindName));
}

void ReportTest::operation(int id, int kind, int productKind, int product) {
    testdb::exec(QStringLiteral("insert into accounts_dep.oper(id, vid, naimen, i_id, cena_new) "
                                "values (%1, %2, %3, %4, 0)")
                     .arg(id)
                     .arg(kind)
                     .arg(productKind)
                     .arg(product));
}

void ReportTest::entry(const QDate& date, int worker, int product, int operation, int quantity,
                       int defects, double price, int color) {
    testdb::addJournalEntry({.date = date,
                             .shift = 1,
                             .worker = worker,
                             .product = product,
                             .operation = operation,
                             .quantity = quantity,
                             .defects = defects,
                             .price = price,
                             .colour = color,
                             .hours = 8,
                             .ok = "no",
                             .prize = 0});
}

void ReportTest::choose(const QDate& from, const QDate& to, reports::ProductKindChoice kind) {
    control<QDateEdit>(reportWindow(), "DTPicker1")->setDate(from);
    control<QDateEdit>(reportWindow(), "DTPicker2")->setDate(to);
    reportWindow().setProductKind(kind);
}

}  // namespace reports_test
