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
    modal.on(Form22, [&] {
        action();
        return int(QDialog::Rejected);
    });
    modal.on(Form4, [] {
        Form4->CheckBox1->setChecked(true);
        Form4->DBGrid1DblClick();
        Form4->CheckBox1->setChecked(false);
        return int(QDialog::Rejected);
    });
    Form4->ShowAsReferenceBook();
}

using Act = std::function<void(const std::function<void()>& deleteIt)>;

// The list's delete button on its only row, deleted just before by the other workstation.
template <typename List>
Act deleteInList(List** list) {
    return [list](const std::function<void()>& deleteIt) {
        ModalScript modal;
        modal.on(*list, [&] {
            deleteIt();
            (*list)->Button3->click();
            return int(QDialog::Rejected);
        });
        (*list)->ShowAsReferenceBook();
    };
}

// The editor opened by change on the list's only row saves after the other workstation deleted
// the row; the editor stays open.
template <typename List, typename Editor>
Act saveInEditor(List** list, void (*change)(), Editor** editor) {
    return [=](const std::function<void()>& deleteIt) {
        ModalScript modal;
        bool stayedOpen = false;
        modal.on(*editor, [&] {
            deleteIt();
            (*editor)->Button1->click();
            stayedOpen = (*editor)->isVisible();
            return int(QDialog::Rejected);
        });
        modal.on(*list, [&] {
            change();
            return int(QDialog::Rejected);
        });
        (*list)->ShowAsReferenceBook();
        EXPECT_TRUE(stayedOpen);
    };
}

const GoneCase kCases[] = {
    {"WorkerChange", "accounts_dep.person", worker,
     saveInEditor(
         &Form5, [] { Form5->Button2->click(); }, &Form2)},
    {"WorkerDelete", "accounts_dep.person", worker, deleteInList(&Form5)},
    {"ProductChange", "cmn_gds_and_srv.gds_and_srv", product,
     saveInEditor(
         &Form3, [] { Form3->DBGrid1DblClick(); }, &Form7)},
    {"ProductDelete", "cmn_gds_and_srv.gds_and_srv", product, deleteInList(&Form3)},
    {"KindChange", "accounts_dep.vid_oper", kind,
     saveInEditor(
         &Form8, [] { Form8->Button2->click(); }, &Form9)},
    {"KindDelete", "accounts_dep.vid_oper", kind, deleteInList(&Form8)},
    {"OperationChange", "accounts_dep.oper", operation,
     saveInEditor(
         &Form4, [] { Form4->Button2->click(); }, &Form10)},
    {"OperationDelete", "accounts_dep.oper", operation, deleteInList(&Form4)},
    {"NormChange", "accounts_dep.norm", secondNorm,
     [](const auto& deleteIt) {
         inNorms([&] {
             QAbstractItemModel* model = Form22->DBGrid1->model();
             model->setData(model->index(1, 1), 11.0);
             deleteIt();
             Form22->Button1->click();
             // A change that can never be stored is dropped, so "Сохранить" (and Escape) closes.
             EXPECT_EQ(Form22->norm->recordCount(), 1);
             Form22->Button1->click();
             EXPECT_FALSE(Form22->isVisible());
         });
     }},
    {"NormDelete", "accounts_dep.norm", secondNorm,
     [](const auto& deleteIt) {
         inNorms([&] {
             Form22->DBGrid1->setCurrentIndex(Form22->DBGrid1->model()->index(1, 0));
             deleteIt();
             Form22->Button2->click();
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
         Form1->LoginWord = "8453";
         Form1->CBox1->setChecked(false);
         Form1->RadioButton1->click();
         ui::setToday(QDate(2022, 11, 8));
         Form1->FormActivate();
         ASSERT_EQ(Form1->DBGrid2->model()->rowCount(), 1);
         deleteIt();
         emit Form1->DBGrid2->doubleClicked(Form1->DBGrid2->model()->index(0, 0));
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
    EXPECT_EQ(log.messages().last().caption, "Ошибка");
    EXPECT_EQ(rowsOf(c.table), left);
}

INSTANTIATE_TEST_SUITE_P(Windows, GoneRow, ::testing::ValuesIn(kCases),
                         [](const auto& info) { return std::string(info.param.name); });

}  // namespace
