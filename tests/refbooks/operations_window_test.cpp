#include "operations_test_support.h"

#include "app/journal_window.h"
#include "data/data_module.h"
#include "entry/entry_editor.h"
#include "refbooks/norms_window.h"
#include "refbooks/operation_editor.h"
#include "refbooks/operations_list.h"
#include "refbooks/operations_statements.h"
#include "refbooks/product_save.h"
#include "refbooks/shown_rows.h"

#include "data/change.h"
#include "data/connection.h"
#include "data/dataset.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>

#include <semaphore>
#include <thread>
#include "../support/app_controls.h"
#include "../support/app_windows.h"

using namespace testing_support;

namespace {

using namespace operations_test;
using testdb::AppTest;

class OperationsTest : public AppTest {
protected:
    void SetUp() override {
        AppTest::SetUp();
        m1 = product("М-1");
        m2 = product("М-2");
        cut = kind("резка");
        paint = kind("краска");
        cutM1 = operation(m1, cut, 0);
        norm(cutM1, 1, 12.5);
        norm(cutM1, 2, 10);
        paintM2 = operation(m2, paint, 1);
        norm(paintM2, 1, 3);
    }
    int m1 = 0, m2 = 0, cut = 0, paint = 0, cutM1 = 0, paintM2 = 0;

    // Adds М-2/резка/Заготовки through the list and its editor, as a foreman would; first acts
    // in the editor before anything is picked.
    void addCutM2(const std::function<void()>& first = {}) {
        ModalScript modal;
        modal.on(&operationEditor(), [&] {
            if (first)
                first();
            operationEditor().takeProduct({m2, "М-2"});
            operationEditor().takeKind({cut, "резка"});
            operationProductKindList()->setCurrentIndex(1);
            operationEditor().save();
            return int(QDialog::Rejected);
        });
        modal.on(&operationsList(), [] {
            operationsList().addRow();
            return int(QDialog::Rejected);
        });
        operationsList().showAsReferenceBook();
    }

    QList<QVariantList> cutM2Rows() const {
        return testdb::rows(QString("select id, (select count(*) from accounts_dep.norm where "
                                    "o_id=oper.id) from accounts_dep.oper where vid=%1 and "
                                    "naimen=1 and i_id=%2 order by id")
                                .arg(cut)
                                .arg(m2));
    }
};

// Another workstation on a connection of its own: runs `first`, waits until this workstation
// waits for an advisory lock (10 s at most), then runs `then`; inside one transaction when asked.
class OtherWorkstation {
public:
    OtherWorkstation(QStringList first, QStringList then, bool inTransaction)
        : thread_([this, first, then, inTransaction] { run(first, then, inTransaction); }) {
        started_.acquire();  // `first` has run
    }
    ~OtherWorkstation() { finish(); }
    // Waits for the end; the driver's complaints, if any.
    QString finish() {
        if (thread_.joinable())
            thread_.join();
        return error_;
    }

private:
    void run(const QStringList& first, const QStringList& then, bool inTransaction) {
        {
            QSqlDatabase db = QSqlDatabase::addDatabase("QODBC", "other-workstation");
            db.setDatabaseName(
                data::composeConnectionString(testdb::databaseName(), testdb::host()));
            auto runAll = [&](const QStringList& statements) {
                for (const QString& sql : statements) {
                    QSqlQuery q(db);
                    if (!q.exec(sql))
                        error_ += q.lastError().text();
                }
            };
            if (!db.open())
                error_ = db.lastError().text();
            if (inTransaction)
                db.transaction();
            runAll(first);
            started_.release();
            for (int i = 0; i < 200; ++i) {
                QSqlQuery q(db);
                q.exec(
                    "select count(*) from pg_stat_activity where datname = current_database() "
                    "and wait_event_type = 'Lock' and wait_event = 'advisory'");
                if (q.next() && q.value(0).toInt() > 0)
                    break;
                std::this_thread::sleep_for(std::chrono::milliseconds(50));
            }
            runAll(then);
            if (inTransaction)
                db.commit();
            db.close();
        }
        QSqlDatabase::removeDatabase("other-workstation");
    }

    QString error_;
    std::binary_semaphore started_{0};
    std::thread thread_;
};

// The entry editor's operation pick: the chosen operation, if any, fills the editor.
void pickIntoEntryEditor(int operationId) {
    if (const auto choice = operationsList().pick(operationId))
        entryEditor().takeOperation(*choice);
}

TEST_F(OperationsTest, PickerHandsTheFinalPriceAndTextToTheEntryEditor) {
    dayOffCheck()->setChecked(true);
    shiftButton(3)->click();
    searchBoxOf(operationsList())->setVisible(false);
    ModalScript modal;
    modal.on(&operationsList(), [this] {
        EXPECT_EQ(operationsList().mode(), refbooks::ReferenceList::Mode::Picker);
        EXPECT_EQ(changeButtonOf(operationsList())->text(), "Выбрать");
        EXPECT_TRUE(changeButtonOf(operationsList())->isDefault());
        EXPECT_FALSE(addButtonOf(operationsList())->isVisible());
        EXPECT_TRUE(searchBoxOf(operationsList())->isVisible());
        EXPECT_EQ(testdb::sharedData().operations->asInt("id"), cutM1);
        searchBoxOf(operationsList())
            ->setText("М-");             // a search left behind is switched off after the pick
        operationsList().openCurrent();  // in picker mode a double-click always chooses
        return int(QDialog::Rejected);
    });
    pricesCheck()->setChecked(true);
    pickIntoEntryEditor(cutM1);

    EXPECT_EQ(entryEditor().chosen().operationId, cutM1);
    EXPECT_EQ(entryEditor().chosen().productId, m1);
    EXPECT_DOUBLE_EQ(entryEditor().chosen().price, 24);  // lowest norm 10, day off, shift 3
    EXPECT_EQ(entryOperationBox()->text(), "М-1; резка; Готовая продукция");
    EXPECT_FALSE(changeButtonOf(operationsList())->isDefault());
    EXPECT_TRUE(searchBoxOf(operationsList())->isHidden());
    EXPECT_FALSE(testdb::sharedData().operations->isFiltered());
    EXPECT_TRUE(testdb::sharedData().operations->isOpen());
    EXPECT_FALSE(testdb::sharedData().scratch->isOpen());
    pricesCheck()->setChecked(false);
    dayOffCheck()->setChecked(false);
    shiftButton(1)->click();
}

TEST_F(OperationsTest, PickerOpensOnTheGivenOperationAndCancelChangesNothing) {
    entryEditor().setChosen({.operationId = -5});
    ModalScript modal;
    int shownId = 0;
    modal.on(&operationsList(), [&] {
        shownId = testdb::sharedData().operations->asInt("id");
        return int(QDialog::Rejected);
    });
    pickIntoEntryEditor(paintM2);
    EXPECT_EQ(shownId, paintM2);
    pickIntoEntryEditor(0);
    EXPECT_EQ(shownId, cutM1);  // first row: М-1 sorts first
    EXPECT_EQ(entryEditor().chosen().operationId, -5);
}

TEST_F(OperationsTest, SearchByMarkAndBlankShowsAll) {
    ModalScript modal;
    modal.on(&operationsList(), [] {
        searchBoxOf(operationsList())->setText("М-2");
        EXPECT_EQ(testdb::sharedData().operations->recordCount(), 1);
        searchBoxOf(operationsList())->setText("   ");
        EXPECT_EQ(testdb::sharedData().operations->recordCount(), 2);
        return int(QDialog::Rejected);
    });
    pickIntoEntryEditor(0);
}

TEST_F(OperationsTest, AddingCreatesTheOperationWithItsFirstNorm) {
    MessageLog log;
    addCutM2([&] {
        EXPECT_EQ(operationEditor().windowTitle(), "Заведение новой цены за операцию");
        operationEditor().save();  // nothing picked yet
        EXPECT_EQ(log.texts(), QStringList{"Все поля должны быть заполнены!"});
    });

    EXPECT_EQ(log.count(), 1);
    const auto added = testdb::rows(QString("select id, cena_new from accounts_dep.oper where "
                                            "vid=%1 and naimen=1 and i_id=%2")
                                        .arg(cut)
                                        .arg(m2));
    ASSERT_EQ(added.size(), 1);
    EXPECT_EQ(added[0][1].toDouble(), 0.0);
    const auto norms = testdb::rows(
        QString("select price from accounts_dep.norm where o_id=%1").arg(added[0][0].toInt()));
    ASSERT_EQ(norms.size(), 1);
    EXPECT_EQ(norms[0][0].toDouble(), 0.0);
    EXPECT_FALSE(testdb::sharedData().operations->isOpen());  // the reference book closes Oper
    testdb::sharedData().operations->open();
    EXPECT_TRUE(
        testdb::sharedData().operations->locate("id", added[0][0].toInt()));  // listed and pickable
    testdb::sharedData().operations->close();
}

TEST_F(OperationsTest, DuplicatesAreRefusedButTheOperationItselfIsNot) {
    MessageLog log;
    ModalScript modal;
    int accepted = 0;
    modal.on(&operationEditor(), [&] {
        operationEditor().save();
        return int(QDialog::Rejected);
    });
    auto counting = QObject::connect(&operationEditor(), &QDialog::accepted, [&] { ++accepted; });
    modal.on(&operationsList(), [&] {
        // Change М-1/резка to its own values: accepted.
        testdb::sharedData().operations->locate("id", cutM1);
        operationsList().changeOrChoose();
        EXPECT_EQ(operationEditor().windowTitle(), "Изменение данных о цене за операцию");
        EXPECT_EQ(operationProductBox()->text(), "М-1");
        EXPECT_EQ(operationEditor().kindId(), cut);
        EXPECT_EQ(accepted, 1);
        EXPECT_EQ(log.count(), 0);
        // Change М-2/краска/Заготовки into М-1/резка/Готовая продукция: taken.
        testdb::sharedData().operations->locate("id", paintM2);
        modal.on(&operationEditor(), [&] {
            operationEditor().takeProduct({m1, "М-1"});
            operationEditor().takeKind({cut, "резка"});
            operationProductKindList()->setCurrentIndex(0);
            operationEditor().save();
            return int(QDialog::Rejected);
        });
        operationsList().changeOrChoose();
        EXPECT_EQ(log.texts(), QStringList{"Операция с такими параметрами уже заведена!"});
        // Adding the existing combination: refused too.
        log.clear();
        operationsList().addRow();
        EXPECT_EQ(log.texts(), QStringList{"Операция с такими параметрами уже заведена!"});
        return int(QDialog::Rejected);
    });
    operationsList().showAsReferenceBook();
    EXPECT_EQ(accepted, 1);
    EXPECT_EQ(testdb::scalar("select count(*) from accounts_dep.oper").toInt(), 2);
    EXPECT_EQ(testdb::scalar(QString("select i_id from accounts_dep.oper where id=%1").arg(paintM2))
                  .toInt(),
              m2);
    QObject::disconnect(counting);
}

TEST_F(OperationsTest, TwoWorkstationsAddingOneOperationAtOnceMakeOneRow) {
    MessageLog log;
    const QString otherAdds = QString(
                                  "insert into accounts_dep.oper(vid, naimen, i_id, cena_new) "
                                  "values (%1, 1, %2, 0)")
                                  .arg(cut)
                                  .arg(m2);
    {
        // The other workstation has passed its check and holds the combination until it commits.
        OtherWorkstation other({QString("select pg_advisory_xact_lock(hashtext('%1'))")
                                    .arg(refbooks::operations::combinationLockKey(cut, 1, m2))},
                               {otherAdds}, true);
        addCutM2();
        EXPECT_EQ(other.finish(), "");
    }
    EXPECT_EQ(log.texts(), QStringList{"Операция с такими параметрами уже заведена!"});
    EXPECT_EQ(cutM2Rows().size(), 1);
}

TEST_F(OperationsTest, TheFirstNormGoesToTheOperationJustAdded) {
    // Another workstation adds the same combination (with the higher id) at the very moment
    // this one has inserted its row and not yet attached the norm: a trigger makes this
    // workstation wait there until the other has committed.
    testdb::exec(
        "create or replace function wait_for_other_workstation() returns trigger "
        "language plpgsql as $$ begin perform pg_advisory_xact_lock_shared(4242); "
        "return new; end $$");
    testdb::exec(
        "create trigger wait_for_other after insert on accounts_dep.oper for each row "
        "execute function wait_for_other_workstation()");
    {
        OtherWorkstation other({"select pg_advisory_lock(4242)"},
                               {QString("insert into accounts_dep.oper(id, vid, naimen, i_id, "
                                        "cena_new) values (9000, %1, 1, %2, 0)")
                                    .arg(cut)
                                    .arg(m2),
                                "select pg_advisory_unlock(4242)"},
                               false);
        addCutM2();
        EXPECT_EQ(other.finish(), "");
    }
    testdb::exec("drop trigger wait_for_other on accounts_dep.oper");
    testdb::exec("drop function wait_for_other_workstation()");
    const auto rows = cutM2Rows();
    ASSERT_EQ(rows.size(), 2);
    EXPECT_LT(rows[0][0].toInt(), 9000);
    EXPECT_EQ(rows[0][1].toInt(), 1);  // this workstation's operation has its norm
    EXPECT_EQ(rows[1][0].toInt(), 9000);
    EXPECT_EQ(rows[1][1].toInt(), 0);
}

// A product renamed and a norm repriced elsewhere in the client while the list is open: the
// list shows both at once, on the row it stood on.
TEST_F(OperationsTest, TheListFollowsChangesSavedElsewhereInTheClient) {
    data::Dataset& products = *testdb::sharedData().products;
    products.open();
    products.locate("id", m2);
    const refbooks::LoadedRow loadedM2{m2, refbooks::shown::product(products)};
    products.close();
    ModalScript modal;
    QStringList marks, prices;
    int row = 0;
    modal.on(&operationsList(), [&] {
        testdb::sharedData().operations->locate("id", paintM2);
        row = testdb::sharedData().operations->recNo();
        EXPECT_TRUE(refbooks::products::save(testdb::sharedData(), "М-22", 0, loadedM2).saved());
        // As the norms window writes its table.
        data::Dataset norm("norm");
        norm.setSql(QString("select id, price from accounts_dep.norm where o_id=%1").arg(paintM2));
        norm.setUpdateTable("accounts_dep.norm");
        norm.setChangeSubject(data::Subject::Norm);
        norm.open();
        norm.setValue("price", 4.0);
        norm.post();
        const QTableView* grid = gridOf(operationsList());
        marks = columnTexts(grid, "marka");
        prices = columnTexts(grid, "cena");
        EXPECT_EQ(testdb::sharedData().operations->recNo(), row);
        return int(QDialog::Rejected);
    });
    operationsList().showAsReferenceBook();
    EXPECT_TRUE(marks.contains("М-22")) << marks.join(", ").toStdString();
    EXPECT_FALSE(marks.contains("М-2")) << marks.join(", ").toStdString();
    EXPECT_EQ(prices, (QStringList{"10", "4"})) << prices.join(", ").toStdString();
}

TEST_F(OperationsTest, DoubleClickOpensTheNormsOnlyWithPricesTicked) {
    ModalScript modal;
    modal.on(&operationsList(), [&] {
        testdb::sharedData().operations->locate("id", cutM1);
        operationsList().openCurrent();
        EXPECT_EQ(modal.shown.last(), "Form10: Изменение данных о цене за операцию");
        pricesCheck()->setChecked(true);
        operationsList().openCurrent();
        EXPECT_EQ(modal.shown.last(), "Form22: Норматив");
        EXPECT_EQ(normsWindow().norms().filter(), QString("o_id=%1").arg(cutM1));
        EXPECT_EQ(normsWindow().norms().recordCount(), 2);
        pricesCheck()->setChecked(false);
        return int(QDialog::Rejected);
    });
    operationsList().showAsReferenceBook();
}

}  // namespace
