#pragma once

#include "../support/message_log.h"
#include "../support/test_database.h"
#include "printing/prepared_report.h"
#include "reports/report_statements.h"

#include <QDate>
#include <QString>
#include <vector>

// The whole client started, a small plant in the database, and every previewed report captured.
namespace reports_test {

class ReportTest : public testdb::AppTest {
protected:
    void SetUp() override;
    void TearDown() override;

    // Plant data; ids are chosen by the test.
    static void worker(int id, const QString& fullName);
    static void product(int id, const QString& mark, const QString& productName, double mass);
    static void operationKind(int id, const QString& kindName);
    static void operation(int id, int kind, int productKind, int product);
    static void entry(const QDate& date, int worker, int product, int operation, int quantity,
                      int defects, double price, int color = 0);

    // The report window set to a period and a product kind.
    static void choose(const QDate& from, const QDate& to,
                       reports::ProductKindChoice kind = reports::ProductKindChoice::All);

    std::vector<printing::PreparedReport> previews;
    testing_support::MessageLog messages;
};

}  // namespace reports_test
