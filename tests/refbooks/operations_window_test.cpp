#include "operations_test_support.h"

#include "app/journal_window.h"
#include "data/data_module.h"
#include "entry/entry_editor.h"
#include "refbooks/norms_window.h"
#include "refbooks/operation_editor.h"
#include "refbooks/operations_list.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>

namespace {

using namespace operations_test;
using testdb::AppTest;
using testing_support::MessageLog;
using testing_support::ModalScript;

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
};

TEST_F(OperationsTest, PickerHandsTheFinalPriceAndTextToTheEntryEditor) {
    Form1->CBox1->setChecked(true);
    Form1->CurrentShift = 3;
    Form4->Edit1->setVisible(false);
    ModalScript modal;
    modal.on(Form4, [this] {
        EXPECT_EQ(Form4->Tag, 1);
        EXPECT_EQ(Form4->Button2->text(), "Выбрать");
        EXPECT_TRUE(Form4->Button2->isDefault());
        EXPECT_FALSE(Form4->Button1->isVisible());
        EXPECT_TRUE(Form4->Edit1->isVisible());
        EXPECT_EQ(DataModule6->Oper->asInt("id"), cutM1);
        Form4->Edit1->setText("М-");  // a search left behind is switched off after the pick
        Form4->DBGrid1DblClick();     // in picker mode a double-click always chooses
        return int(QDialog::Rejected);
    });
    Form4->CheckBox1->setChecked(true);
    Form4->ShowAsPicker(cutM1);

    EXPECT_EQ(Form11->entry_o_id, cutM1);
    EXPECT_EQ(Form11->entry_i_id, m1);
    EXPECT_DOUBLE_EQ(Form11->entry_price, 24);  // lowest norm 10, day off, shift 3
    EXPECT_EQ(Form11->Edit2->text(), "М-1; резка; Готовая продукция");
    EXPECT_FALSE(Form4->Button2->isDefault());
    EXPECT_TRUE(Form4->Edit1->isHidden());
    EXPECT_FALSE(DataModule6->Oper->isFiltered());
    EXPECT_TRUE(DataModule6->Oper->isOpen());
    EXPECT_FALSE(DataModule6->Control->isOpen());
    Form4->CheckBox1->setChecked(false);
    Form1->CBox1->setChecked(false);
    Form1->CurrentShift = 1;
}

TEST_F(OperationsTest, PickerOpensOnTheGivenOperationAndCancelChangesNothing) {
    Form11->entry_o_id = -5;
    ModalScript modal;
    int shownId = 0;
    modal.on(Form4, [&] {
        shownId = DataModule6->Oper->asInt("id");
        return int(QDialog::Rejected);
    });
    Form4->ShowAsPicker(paintM2);
    EXPECT_EQ(shownId, paintM2);
    Form4->ShowAsPicker(0);
    EXPECT_EQ(shownId, cutM1);  // first row: М-1 sorts first
    EXPECT_EQ(Form11->entry_o_id, -5);
}

TEST_F(OperationsTest, SearchByMarkAndBlankShowsAll) {
    ModalScript modal;
    modal.on(Form4, [] {
        Form4->Edit1->setText("М-2");
        EXPECT_EQ(DataModule6->Oper->recordCount(), 1);
        Form4->Edit1->setText("   ");
        EXPECT_EQ(DataModule6->Oper->recordCount(), 2);
        return int(QDialog::Rejected);
    });
    Form4->ShowAsPicker(0);
}

TEST_F(OperationsTest, AddingCreatesTheOperationWithItsFirstNorm) {
    MessageLog log;
    ModalScript modal;
    modal.on(Form10, [&] {
        EXPECT_EQ(Form10->windowTitle(), "Заведение новой цены за операцию");
        Form10->Button1Click();  // nothing picked yet
        EXPECT_EQ(log.texts(), QStringList{"Все поля должны быть заполнены!"});
        Form10->Edit1->setText("М-2");
        Form10->izdel_id = m2;
        Form10->Edit2->setText("резка");
        Form10->vid_id = cut;
        Form10->ComboBox1->setCurrentIndex(1);
        Form10->Button1Click();
        return int(QDialog::Rejected);
    });
    modal.on(Form4, [] {
        Form4->Button1Click();
        return int(QDialog::Rejected);
    });
    Form4->ShowAsReferenceBook();

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
    EXPECT_FALSE(DataModule6->Oper->isOpen());  // the reference book closes Oper
    DataModule6->Oper->open();
    EXPECT_TRUE(DataModule6->Oper->locate("id", added[0][0].toInt()));  // listed and pickable
    DataModule6->Oper->close();
}

TEST_F(OperationsTest, DuplicatesAreRefusedButTheOperationItselfIsNot) {
    MessageLog log;
    ModalScript modal;
    int accepted = 0;
    modal.on(Form10, [&] {
        Form10->Button1Click();
        return int(QDialog::Rejected);
    });
    auto counting = QObject::connect(Form10, &QDialog::accepted, [&] { ++accepted; });
    modal.on(Form4, [&] {
        // Change М-1/резка to its own values: accepted.
        DataModule6->Oper->locate("id", cutM1);
        Form4->Button2Click();
        EXPECT_EQ(Form10->windowTitle(), "Изменение данных о цене за операцию");
        EXPECT_EQ(Form10->Edit1->text(), "М-1");
        EXPECT_EQ(Form10->vid_id, cut);
        EXPECT_EQ(accepted, 1);
        EXPECT_EQ(log.count(), 0);
        // Change М-2/краска/Заготовки into М-1/резка/Готовая продукция: taken.
        DataModule6->Oper->locate("id", paintM2);
        modal.on(Form10, [&] {
            Form10->Edit1->setText("М-1");
            Form10->izdel_id = m1;
            Form10->Edit2->setText("резка");
            Form10->vid_id = cut;
            Form10->ComboBox1->setCurrentIndex(0);
            Form10->Button1Click();
            return int(QDialog::Rejected);
        });
        Form4->Button2Click();
        EXPECT_EQ(log.texts(), QStringList{"Операция с такими параметрами уже заведена!"});
        // Adding the existing combination: refused too.
        log.clear();
        Form4->Button1Click();
        EXPECT_EQ(log.texts(), QStringList{"Операция с такими параметрами уже заведена!"});
        return int(QDialog::Rejected);
    });
    Form4->ShowAsReferenceBook();
    EXPECT_EQ(accepted, 1);
    EXPECT_EQ(testdb::scalar("select count(*) from accounts_dep.oper").toInt(), 2);
    EXPECT_EQ(testdb::scalar(QString("select i_id from accounts_dep.oper where id=%1").arg(paintM2))
                  .toInt(),
              m2);
    QObject::disconnect(counting);
}

TEST_F(OperationsTest, DeleteAsksAndRemovesOnlyOnYes) {
    MessageLog log;
    ModalScript modal;
    modal.on(Form4, [&] {
        DataModule6->Oper->locate("id", paintM2);
        log.answerNext(ui::Answer::No);
        Form4->Button3Click();
        EXPECT_EQ(DataModule6->Oper->recordCount(), 2);
        Form4->Button3Click();
        EXPECT_EQ(DataModule6->Oper->recordCount(), 1);
        return int(QDialog::Rejected);
    });
    Form4->ShowAsReferenceBook();
    ASSERT_EQ(log.count(), 2);
    EXPECT_EQ(log.messages()[0].text, "Удалить операцию?");
    EXPECT_EQ(log.messages()[0].caption, "Удаление");
    EXPECT_EQ(log.messages()[0].buttons, ui::Buttons::YesNo);
    EXPECT_EQ(
        testdb::scalar(QString("select count(*) from accounts_dep.oper where id=%1").arg(paintM2))
            .toInt(),
        0);
}

TEST_F(OperationsTest, DoubleClickOpensTheNormsOnlyWithPricesTicked) {
    ModalScript modal;
    modal.on(Form4, [&] {
        DataModule6->Oper->locate("id", cutM1);
        Form4->DBGrid1DblClick();
        EXPECT_EQ(modal.shown.last(), "Form10: Изменение данных о цене за операцию");
        Form4->CheckBox1->setChecked(true);
        Form4->DBGrid1DblClick();
        EXPECT_EQ(modal.shown.last(), "Form22: Норматив");
        EXPECT_EQ(Form22->norm->filter(), QString("o_id=%1").arg(cutM1));
        EXPECT_EQ(Form22->norm->recordCount(), 2);
        Form4->CheckBox1->setChecked(false);
        return int(QDialog::Rejected);
    });
    Form4->ShowAsReferenceBook();
}

}  // namespace
