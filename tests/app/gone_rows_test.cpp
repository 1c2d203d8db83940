// A write aimed at a row that another workstation deleted meanwhile is refused with a message and
// writes nothing; no window reports it as done.
#include "../support/journal_entries.h"
#include "../support/message_log.h"
#include "../support/test_database.h"
#include "../support/widget_driving.h"
#include "app/journal_window.h"
#include "data/data_module.h"
#include "data/db_error.h"
#include "refbooks/norms_window.h"
#include "refbooks/operation_editor.h"
#include "refbooks/operation_kind_editor.h"
#include "refbooks/operation_kinds_list.h"
#include "refbooks/operations_list.h"
#include "refbooks/product_editor.h"
#include "refbooks/products_list.h"
#include "refbooks/worker_editor.h"
#include "refbooks/workers_list.h"
#include "ui/clock.h"

#include <QCheckBox>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <functional>
#include <ostream>
#include "../support/app_controls.h"
#include "../support/app_windows.h"

using namespace testing_support;

namespace {

using testing_support::MessageLog;
using testing_support::ModalScript;

// One write of one window. The row is made by seed; the window is opened on it and, at the last
// moment before the write, the other workstation deletes it.
struct GoneCase {
    const char* name;
    const char* table;          // the table the write targets: its rows must stay as they were left
    std::function<int()> seed;  // makes the row and gives its id
    std::function<void(const std::function<void()>& deleteIt)> act;
};

void PrintTo(const GoneCase& c, std::ostream* os) {
    *os << c.name;
}

int worker() {
    return testdb::scalar(
               "insert into accounts_dep.person(fio) values ('Иванов И.И.') returning id")
        .toInt();
}
int product() {
    return testdb::scalar(
               "insert into cmn_gds_and_srv.gds_and_srv(s_caption, id_msm_bs, massa) "
               "values ('М-1', 6, 2) returning id")
        .toInt();
}
int kind() {
    return testdb::scalar("insert into accounts_dep.vid_oper(vid) values ('резка') returning id")
        .toInt();
}
int operation() {
    const int id = testdb::scalar(QString("insert into accounts_dep.oper(vid, naimen, i_id) "
                                          "values (%1, 0, %2) returning id")
                                      .arg(kind())
                                      .arg(product()))
                       .toInt();
    testdb::exec(QString("insert into accounts_dep.norm(o_id, norma, price, prize) values "
                         "(%1, 1, 12.5, 0)")
                     .arg(id));
    return id;
}
// An operation with two norms; gives the id of the second (norm 2, the list's second row).
int secondNorm() {
    const int op = operation();
    return testdb::scalar(QString("insert into accounts_dep.norm(o_id, norma, price, prize) "
                                  "values (%1, 2, 10, 0) returning id")
                              .arg(op))
        .toInt();
}

// Runs action inside the norms window of the only operation.
void inNorms(const std::function<void()>& action) {
    ModalScript modal;
    modal.on(&normsWindow(), [&] {
        action();
        return int(QDialog::Rejected);
    });
    modal.on(&operationsList(), [] {
        pricesCheck()->setChecked(true);
        operationsList().openCurrent();
        pricesCheck()->setChecked(false);
        return int(QDialog::Rejected);
    });
    operationsList().showAsReferenceBook();
}

using Act = std::function<void(const std::function<void()>& deleteIt)>;

// How many rows a window's grid shows.
int rowsShown(QWidget& window, const char* grid) {
    return control<QTableView>(window, grid)->model()->rowCount();
}

// The list's delete button on its only row, deleted just before by the other workstation. The
// refusal reloads the list: the row is gone from it and a second click finds nothing to delete.
template <typename List>
Act deleteInList(List& (*list)()) {
    return [list](const std::function<void()>& deleteIt) {
        ModalScript modal;
        modal.on(&list(), [&] {
            deleteIt();
            control<QPushButton>(list(), "Button3")->click();
            EXPECT_EQ(rowsShown(list(), "DBGrid1"), 0);
            control<QPushButton>(list(), "Button3")->click();
            return int(QDialog::Rejected);
        });
        list().showAsReferenceBook();
    };
}

// The editor opened by change on the list's only row saves after the other workstation deleted
// the row; the editor stays open.
template <typename List, typename Editor>
Act saveInEditor(List& (*list)(), void (*change)(), Editor& (*editor)()) {
    return [=](const std::function<void()>& deleteIt) {
        ModalScript modal;
        bool stayedOpen = false;
        modal.on(&editor(), [&] {
            deleteIt();
            control<QPushButton>(editor(), "Button1")->click();
            stayedOpen = editor().isVisible();
            return int(QDialog::Rejected);
        });
        modal.on(&list(), [&] {
            change();
            return int(QDialog::Rejected);
        });
        list().showAsReferenceBook();
        EXPECT_TRUE(stayedOpen);
    };
}

const GoneCase kCases[] = {
    {"WorkerChange", "accounts_dep.person", worker,
     saveInEditor(
         &workersList, [] { changeButtonOf(workersList())->click(); }, &workerEditor)},
    {"WorkerDelete", "accounts_dep.person", worker, deleteInList(&workersList)},
    {"ProductChange", "cmn_gds_and_srv.gds_and_srv", product,
     saveInEditor(
         &productsList, [] { productsList().changeOrChoose(); }, &productEditor)},
    {"ProductDelete", "cmn_gds_and_srv.gds_and_srv", product, deleteInList(&productsList)},
    {"KindChange", "accounts_dep.vid_oper", kind,
     saveInEditor(
         &kindsList, [] { changeButtonOf(kindsList())->click(); }, &kindEditor)},
    {"KindDelete", "accounts_dep.vid_oper", kind, deleteInList(&kindsList)},
    {"OperationChange", "accounts_dep.oper", operation,
     saveInEditor(
         &operationsList, [] { changeButtonOf(operationsList())->click(); }, &operationEditor)},
    {"OperationDelete", "accounts_dep.oper", operation, deleteInList(&operationsList)},
    {"NormChange", "accounts_dep.norm", secondNorm,
     [](const auto& deleteIt) {
         inNorms([&] {
             QTableView* grid = normsGrid();
             grid->model()->setData(cellOf(grid, 1, "price"), 11.0);
             deleteIt();
             control<QPushButton>(normsWindow(), "Button1")->click();
             // A change that can never be stored is dropped, so "Сохранить" (and Escape) closes.
             EXPECT_EQ(normsWindow().norms().recordCount(), 1);
             control<QPushButton>(normsWindow(), "Button1")->click();
             EXPECT_FALSE(normsWindow().isVisible());
         });
     }},
    {"NormDelete", "accounts_dep.norm", secondNorm,
     [](const auto& deleteIt) {
         inNorms([&] {
             normsGrid()->setCurrentIndex(cellOf(normsGrid(), 1, "norma"));
             deleteIt();
             normsDeleteButton()->click();
             // Reloaded: the operation's last norm, which stays.
             EXPECT_EQ(rowsShown(normsWindow(), "DBGrid1"), 1);
             normsDeleteButton()->click();
         });
     }},
    {"JournalAcceptance", "accounts_dep.smena",
     [] {
         worker();
         operation();
         return testdb::addJournalEntry({.date = QDate(2022, 11, 8),
                                         .shift = 1,
                                         .worker = 1,
                                         .product = 1,
                                         .operation = 1,
                                         .quantity = 10,
                                         .defects = 0,
                                         .price = 1.5,
                                         .hours = 1,
                                         .ok = QString("no")});
     },
     [](const auto& deleteIt) {
         journalWindow().logIn("8453");
         dayOffCheck()->setChecked(false);
         shiftButton(1)->click();
         ui::setToday(QDate(2022, 11, 8));
         journalWindow().windowActivated();
         ASSERT_EQ(journalGrid()->model()->rowCount(), 1);
         deleteIt();
         QTableView* grid = journalGrid();
         emit grid->doubleClicked(cellOf(grid, 0, "fio"));
         EXPECT_EQ(rowsShown(journalWindow(), "DBGrid2"), 0);
         emit grid->doubleClicked(cellOf(grid, 0, "fio"));
     }},
};

class GoneRow : public testdb::AppTest, public ::testing::WithParamInterface<GoneCase> {};

QList<QVariantList> rowsOf(const char* table) {
    return testdb::rows(QString("select * from %1 order by id").arg(table));
}

TEST_P(GoneRow, WriteIsRefusedWithAMessageAndChangesNothing) {
    const GoneCase& c = GetParam();
    const int id = c.seed();
    QList<QVariantList> left;
    MessageLog log;  // deletions are confirmed with Yes
    c.act([&] {
        testdb::exec(QString("delete from %1 where id=%2").arg(c.table).arg(id));
        left = rowsOf(c.table);
    });
    ASSERT_FALSE(log.messages().isEmpty());
    EXPECT_EQ(log.messages().last().text, QString::fromUtf8(data::kRowGoneMessage));
    EXPECT_EQ(log.texts().count(QString::fromUtf8(data::kRowGoneMessage)), 1);
    EXPECT_EQ(log.messages().last().caption, "Ошибка");
    EXPECT_EQ(rowsOf(c.table), left);
}

INSTANTIATE_TEST_SUITE_P(Windows, GoneRow, ::testing::ValuesIn(kCases),
                         [](const auto& info) { return std::string(info.param.name); });

}  // namespace
