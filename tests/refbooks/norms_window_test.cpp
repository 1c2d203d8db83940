#include "operations_test_support.h"

#include "data/data_module.h"
#include "refbooks/norms_window.h"
#include "refbooks/operations_list.h"

#include <QApplication>
#include <QCheckBox>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

#include <memory>
#include "../support/app_controls.h"
#include "../support/app_windows.h"

using namespace testing_support;

namespace {

using namespace operations_test;
using testdb::AppTest;

class NormsTest : public AppTest {
protected:
    void SetUp() override {
        AppTest::SetUp();
        log_ = std::make_unique<MessageLog>();
        op = operation(product("М-1"), kind("резка"), 0);
        norm(op, 5, 12.5);
    }

    // Opens the norms of op from the operations list and runs action inside the norms window.
    void inNorms(std::function<void()> action) {
        ModalScript modal;
        modal.on(&normsWindow(), [&] {
            action();
            return int(QDialog::Rejected);
        });
        modal.on(&operationsList(), [&] {
            testdb::sharedData().operations->locate("id", op);
            pricesCheck()->setChecked(true);
            operationsList().openCurrent();
            pricesCheck()->setChecked(false);
            return int(QDialog::Rejected);
        });
        operationsList().showAsReferenceBook();
    }

    // Types into the cell under the cursor and leaves it with Tab, as a user would; the editor is
    // opened only where Tab from the cell before has not opened it already.
    static QLineEdit* visibleEditor() {
        QTableView* grid = normsGrid();
        for (auto* e : grid->viewport()->findChildren<QLineEdit*>())
            if (e->isVisible())
                return e;
        return nullptr;
    }

    // The text is set whole, as a paste sets it, past the box's key rule.
    static void typeAndTab(const QString& text) {
        QTableView* grid = normsGrid();
        if (!visibleEditor())
            grid->edit(grid->currentIndex());
        QLineEdit* editor = visibleEditor();
        ASSERT_NE(editor, nullptr);
        editor->setText(text);
        QTest::keyClick(editor, Qt::Key_Tab);
    }

    static void typeCell(int row, const QString& field, const QString& text) {
        normsGrid()->setCurrentIndex(cellOf(normsGrid(), row, field));
        typeAndTab(text);
    }

    static QStringList storedNorms(int operationId) {
        QStringList out;
        for (const auto& r : testdb::rows(
                 QString("select norma, price from accounts_dep.norm where o_id=%1 order by norma")
                     .arg(operationId)))
            out << QString("%1:%2").arg(r[0].isNull() ? QString() : r[0].toString(),
                                        r[1].toString());
        return out;
    }

    int op = 0;
    std::unique_ptr<MessageLog> log_;
};

TEST_F(NormsTest, SavedNormsGiveTheListItsLowestPriceAndCount) {
    inNorms([] {
        EXPECT_EQ(columnTexts(normsGrid(), "price"), QStringList{"12,50"});
        QTest::keyClick(normsGrid(), Qt::Key_Insert);
        typeCell(1, "norma", "3");
        typeCell(1, "price", "10");  // leaving the price column stores the row
        normsWindow().saveAndClose();
        EXPECT_FALSE(normsWindow().isVisible());
    });
    EXPECT_EQ(log_->count(), 0) << log_->texts().join("|").toStdString();
    EXPECT_EQ(storedNorms(op), (QStringList{"3:10", "5:12.5"}));
    // Oper was reopened by the save and showed the new figures while the list was open.
    testdb::sharedData().operations->open();
    ASSERT_TRUE(testdb::sharedData().operations->locate("id", op));
    EXPECT_EQ(testdb::sharedData().operations->asDouble("cena"), 10.0);
    EXPECT_EQ(testdb::sharedData().operations->asInt("norma"), 2);
    EXPECT_EQ(cellOf(gridOf(operationsList()), 0, "cena").data().toString(), "10");
    EXPECT_EQ(cellOf(gridOf(operationsList()), 0, "norma").data().toString(), "2");
    testdb::sharedData().operations->close();
}

TEST_F(NormsTest, NewRowsGetTheOperationAndStayOrderedByNorm) {
    const int other = operation(product("М-2"), kind("гибка"), 1);
    norm(other, 1, 1);
    inNorms([] {
        QTest::keyClick(normsGrid(), Qt::Key_Insert);
        typeCell(1, "norma", "2");
        typeCell(1, "price", "7");
        EXPECT_EQ(columnTexts(normsGrid(), "norma"), (QStringList{"2", "5"}));
        EXPECT_EQ(columnTexts(normsGrid(), "price"), (QStringList{"7,00", "12,50"}));
        // Down on the last row starts another one; stored when the row is left.
        normsGrid()->setCurrentIndex(cellOf(normsGrid(), 1, "price"));
        QTest::keyClick(normsGrid(), Qt::Key_Down);
        typeCell(2, "price", "8,5");
        typeCell(2, "prize", "15");
        normsGrid()->setCurrentIndex(cellOf(normsGrid(), 0, "norma"));
    });
    EXPECT_EQ(storedNorms(op), (QStringList{"2:7", "5:12.5", ":8.5"}));
    EXPECT_EQ(testdb::scalar("select count(*) from accounts_dep.norm where o_id is null").toInt(),
              0);
    EXPECT_EQ(storedNorms(other), QStringList{"1:1"});
}

TEST_F(NormsTest, RefusedValuesAreToldAndTheRowStaysForCorrection) {
    MessageLog& log = *log_;
    inNorms([&] {
        QTest::keyClick(normsGrid(), Qt::Key_Insert);
        typeCell(1, "norma", "99999999999");
        EXPECT_EQ(log.texts(),
                  QStringList{"Норматив должен быть целым числом от 0 до 2147483647."});
        typeCell(1, "norma", "4");
        // Leaving the row without a price: refused, the grid stays on the new row.
        normsGrid()->setCurrentIndex(cellOf(normsGrid(), 0, "norma"));
        EXPECT_EQ(log.texts().last(), "Укажите цену нормы.");
        EXPECT_EQ(normsGrid()->currentIndex().row(), 1);
        EXPECT_EQ(normsWindow().norms().state(), data::Dataset::State::Insert);
        normsWindow().saveAndClose();  // the save refuses it too and keeps the window
        EXPECT_EQ(log.count(), 3);
        typeCell(1, "price", "6");
    });
    EXPECT_EQ(storedNorms(op), (QStringList{"4:6", "5:12.5"}));
}

// A cell's box takes typed keys by its column's rule, and reads a pasted text whole by the same
// rule: what the product's "Расценка" refuses, the norm's "Цена" refuses too.
TEST_F(NormsTest, CellsTakeTypedAndPastedTextByTheRuleOfTheirBox) {
    MessageLog& log = *log_;
    inNorms([&] {
        typeCell(0, "price", "1e308");
        typeCell(0, "prize", "-5");
        typeCell(0, "norma", "٣");
        EXPECT_EQ(log.texts(),
                  (QStringList{"Цена должна быть неотрицательным числом, например 12,5.",
                               "Премия, % должна быть целым числом от 0 до 2147483647.",
                               "Норматив должен быть целым числом от 0 до 2147483647."}));
        QTableView* grid = normsGrid();
        grid->setCurrentIndex(cellOf(grid, 0, "price"));
        grid->edit(grid->currentIndex());
        QLineEdit* editor = visibleEditor();
        ASSERT_NE(editor, nullptr);
        editor->clear();
        QTest::keyClicks(editor, "1e3.5-");
        EXPECT_EQ(editor->text(), "13,5");
        QTest::keyClick(editor, Qt::Key_Tab);
        ASSERT_NE(visibleEditor(), nullptr);
        visibleEditor()->clear();
        QTest::keyClicks(visibleEditor(), "+2,0");
        EXPECT_EQ(visibleEditor()->text(), "20");
        QTest::keyClick(visibleEditor(), Qt::Key_Tab);
    });
    EXPECT_EQ(log_->count(), 3);
    EXPECT_EQ(storedNorms(op), QStringList{"5:13.5"});
    EXPECT_EQ(testdb::scalar(QString("select prize from accounts_dep.norm where o_id=%1").arg(op))
                  .toInt(),
              20);
}

// Qt's warnings while it lives.
class QtWarnings {
public:
    QtWarnings() {
        caught().clear();
        previous_ = qInstallMessageHandler(
            [](QtMsgType type, const QMessageLogContext&, const QString& text) {
                if (type == QtWarningMsg)
                    caught() << text;
            });
    }
    ~QtWarnings() { qInstallMessageHandler(previous_); }
    static QStringList& caught() {
        static QStringList texts;
        return texts;
    }

private:
    QtMessageHandler previous_;
};

TEST_F(NormsTest, TabbingThroughEditedCellsKeepsTheCursorOnTheStoredNorm) {
    norm(op, 9, 20);
    QtWarnings warnings;
    inNorms([] {
        QTableView* grid = normsGrid();
        // A new norm typed in full: stored when its price is left, sorted first.
        QTest::keyClick(grid, Qt::Key_Insert);
        grid->setCurrentIndex(cellOf(grid, 2, "norma"));
        typeAndTab("2");
        typeAndTab("7");
        EXPECT_EQ(columnTexts(grid, "norma"), (QStringList{"2", "5", "9"}));
        EXPECT_EQ(grid->currentIndex().row(), 0);
        EXPECT_EQ(grid->currentIndex().column(), 2);
        // An existing norm changed so that it sorts last: the cursor goes with it.
        grid->setCurrentIndex(cellOf(grid, 1, "norma"));
        typeAndTab("12");
        EXPECT_EQ(columnTexts(grid, "norma"), (QStringList{"2", "9", "12"}));
        EXPECT_EQ(grid->currentIndex().row(), 2);
        EXPECT_EQ(grid->currentIndex().column(), 1);
        EXPECT_EQ(normsWindow().norms().asInt("norma"), 12);
    });
    EXPECT_EQ(warnings.caught(), QStringList());
    EXPECT_EQ(storedNorms(op), (QStringList{"2:7", "9:20", "12:12.5"}));
}

TEST_F(NormsTest, TheLastNormIsNeverDeleted) {
    MessageLog& log = *log_;
    norm(op, 9, 20);
    inNorms([] {
        normsGrid()->setCurrentIndex(cellOf(normsGrid(), 1, "norma"));
        normsWindow().deleteRow();
        EXPECT_EQ(normsWindow().norms().recordCount(), 1);
        normsWindow().deleteRow();  // the only norm: silently kept
        EXPECT_EQ(normsWindow().norms().recordCount(), 1);
    });
    EXPECT_EQ(log.count(), 0);
    EXPECT_EQ(storedNorms(op), QStringList{"5:12.5"});
}

TEST_F(NormsTest, EnterOnTheFocusedDeleteButtonDeletesInsteadOfSaving) {
    norm(op, 9, 20);
    inNorms([] {
        normsGrid()->setCurrentIndex(cellOf(normsGrid(), 1, "norma"));
        auto* remove = normsDeleteButton();
        remove->setFocus();
        QTest::keyClick(remove, Qt::Key_Return);
        EXPECT_TRUE(normsWindow().isVisible());  // "Сохранить" would have closed it
        EXPECT_EQ(normsWindow().norms().recordCount(), 1);
    });
    EXPECT_EQ(storedNorms(op), QStringList{"5:12.5"});
}

TEST_F(NormsTest, ClosingWithoutSaveDropsThePendingChange) {
    inNorms([] {
        normsGrid()->model()->setData(cellOf(normsGrid(), 0, "price"), 1.0);
        normsWindow().reject();
    });
    EXPECT_EQ(storedNorms(op), QStringList{"5:12.5"});
}

}  // namespace
