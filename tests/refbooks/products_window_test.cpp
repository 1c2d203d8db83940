#include "../support/message_log.h"
#include "../support/test_database.h"
#include "../support/widget_driving.h"
#include "data/data_module.h"
#include "refbooks/operation_editor.h"
#include "refbooks/product_editor.h"
#include "refbooks/products_list.h"

#include <QLineEdit>
#include <QPushButton>
#include <QTest>

namespace {

using testing_support::columnTexts;
using testing_support::MessageLog;
using testing_support::ModalScript;
using testing_support::typeText;

class ProductsWindow : public testdb::AppTest {
protected:
    void SetUp() override {
        testdb::AppTest::SetUp();
        Form3->Edit1->clear();
    }
    static void seed() {
        testdb::exec(
            "insert into cmn_gds_and_srv.gds_and_srv(s_caption, s_description, id_msm_bs, massa) "
            "values ('КРАСКА', '', 6, 2.5), ('М-10', '', 6, 12), ('М-20', '', 6, 4), "
            "('чужой товар', '', 1, 1)");
    }
    static QStringList storedProducts() {
        QStringList out;
        for (const auto& r : testdb::rows("select id, s_caption, massa::text from "
                                          "cmn_gds_and_srv.gds_and_srv where id_msm_bs = 6 "
                                          "order by id"))
            out << r[0].toString() + "|" + r[1].toString() + "|" + r[2].toString();
        return out;
    }
    // Opens the editor from the reference book (add, or change of the row with this mark),
    // types into it and saves.
    static void saveThroughEditor(const QString& changedMark, const QString& mark,
                                  const QString& quantity, ModalScript& script) {
        script.on(Form7, [=] {
            Form7->Edit1->setText(mark);
            Form7->Edit2->setText(quantity);
            Form7->Button1Click();
            return int(QDialog::Rejected);
        });
        script.on(Form3, [=] {
            if (changedMark.isEmpty()) {
                Form3->Button1Click();
            } else {
                DataModule6->Izdel->locate("marka", changedMark);
                Form3->DBGrid1DblClick();
            }
            return int(QDialog::Rejected);
        });
        Form3->ShowAsReferenceBook();
    }
};

TEST_F(ProductsWindow, ModesShowTheirControlsAndAPickerFilterStaysForTheMenu) {
    seed();
    ModalScript script;
    QList<bool> seen;
    int rows = -1;
    QString searchText;
    script.on(Form3, [&] {
        seen = {Form3->Button1->isVisible(), Form3->Button2->isVisible(),
                Form3->Button3->isVisible(), Form3->Edit1->isVisible()};
        rows = Form3->DBGrid1->model()->rowCount();
        searchText = Form3->Edit1->text();
        if (Form3->Tag == 1)
            typeText(Form3->Edit1, "м-");
        return int(QDialog::Rejected);
    });
    Form3->ShowAsReferenceBook();
    EXPECT_EQ(seen, QList<bool>({true, false, true, false}));
    EXPECT_EQ(rows, 3);
    Form3->ShowAsPicker();
    EXPECT_EQ(Form3->Tag, 1);
    EXPECT_EQ(seen, QList<bool>({false, false, false, true}));
    EXPECT_FALSE(Form3->Edit1->isVisibleTo(Form3));
    Form3->ShowAsReferenceBook();
    EXPECT_EQ(Form3->Tag, 0);
    EXPECT_EQ(seen, QList<bool>({true, false, true, false}));
    EXPECT_EQ(rows, 2);  // still filtered by the picker's "м-"
    Form3->ShowAsPicker();
    EXPECT_EQ(rows, 3);
    EXPECT_EQ(searchText, "");
}

TEST_F(ProductsWindow, EnterAddsInTheReferenceBookAndDoesNothingInThePicker) {
    seed();
    ModalScript script;
    bool stillShown = false;
    script.on(Form3, [&] {
        QTest::keyClick(Form3->DBGrid1, Qt::Key_Return);
        stillShown = Form3->isVisible();
        return int(QDialog::Rejected);
    });
    Form3->ShowAsPicker();
    EXPECT_TRUE(stillShown);
    EXPECT_EQ(script.shown, QStringList{"Form3: Изделия"});
    Form3->ShowAsReferenceBook();
    EXPECT_EQ(script.shown.last(), "Form7: Заведение нового изделия");
}

TEST_F(ProductsWindow, SearchByMarkPrefixAndArrowsMoveTheRow) {
    seed();
    testdb::exec(
        "insert into cmn_gds_and_srv.gds_and_srv(s_caption, id_msm_bs, massa) values "
        "('O''K-1', 6, 1)");
    MessageLog log;
    ModalScript script;
    script.on(Form3, [] {
        const std::pair<const char*, QStringList> cases[] = {
            {"М-", {"М-10", "М-20"}},
            {"кра", {"КРАСКА"}},
            {"O'", {"O'K-1"}},
            {"", {"КРАСКА", "М-10", "М-20", "O'K-1"}},
        };
        for (const auto& [typed, expected] : cases) {
            Form3->Edit1->setText(QString::fromUtf8(typed));
            EXPECT_EQ(columnTexts(Form3->DBGrid1), expected) << typed;
        }
        // "Коробки" is a number column: right-aligned.
        EXPECT_EQ(
            Form3->DBGrid1->model()->index(0, 1).data(Qt::TextAlignmentRole).value<Qt::Alignment>(),
            Qt::AlignRight | Qt::AlignVCenter);
        QTest::keyClick(Form3->Edit1, Qt::Key_Down);
        QTest::keyClick(Form3->Edit1, Qt::Key_Down);
        QTest::keyClick(Form3->Edit1, Qt::Key_Up);
        EXPECT_EQ(DataModule6->Izdel->text("marka"), "М-10");
        // Other keys edit as usual here.
        typeText(Form3->Edit1, "М0");
        QTest::keyClick(Form3->Edit1, Qt::Key_Left);
        typeText(Form3->Edit1, "-1");
        EXPECT_EQ(Form3->Edit1->text(), "М-10");
        return int(QDialog::Rejected);
    });
    Form3->ShowAsPicker();
    EXPECT_EQ(log.count(), 0);
}

TEST_F(ProductsWindow, EditorRefusesEmptyFieldsAndDuplicatesIgnoringCaseAndBlanks) {
    seed();
    const std::pair<const char*, const char*> refused[] = {
        {"", "5"},
        {"М-30", "  "},
        {"краска", "1"},
        {"  м-10 ", "1"},
    };
    MessageLog log;
    ModalScript script;
    for (const auto& [mark, quantity] : refused) {
        bool stayedOpen = false;
        script.on(Form7, [&] {
            Form7->Edit1->setText(QString::fromUtf8(mark));
            Form7->Edit2->setText(QString::fromUtf8(quantity));
            Form7->Button1Click();
            stayedOpen = Form7->isVisible();
            return int(QDialog::Rejected);
        });
        script.on(Form3, [] {
            Form3->Button1Click();
            return int(QDialog::Rejected);
        });
        Form3->ShowAsReferenceBook();
        EXPECT_TRUE(stayedOpen) << mark;
    }
    EXPECT_EQ(
        log.texts(),
        QStringList({"Все поля должны быть заполнены!", "Все поля должны быть заполнены!",
                     "Такая марка изделия уже заведена!", "Такая марка изделия уже заведена!"}));
    EXPECT_EQ(storedProducts().size(), 3);
}

TEST_F(ProductsWindow, AddWritesTrimmedMarkAndNumericQuantity) {
    ModalScript script;
    saveThroughEditor({}, "  М-30  ", "2,5", script);
    saveThroughEditor({}, "O'Brien x'); drop table accounts_dep.smena; --", "12", script);
    EXPECT_EQ(storedProducts(),
              QStringList({"1|М-30|2.5", "2|O'Brien x'); drop table accounts_dep.smena; --|12"}));
    EXPECT_EQ(testdb::scalar("select count(*) from accounts_dep.smena").toInt(), 0);
}

TEST_F(ProductsWindow, ChangeUpdatesTheProductsOwnGoodsRow) {
    seed();
    ModalScript script;
    QString shownMark, shownQuantity;
    script.on(Form7, [&] {
        EXPECT_EQ(Form7->windowTitle(), "Изменение данных изделия");
        shownMark = Form7->Edit1->text();
        shownQuantity = Form7->Edit2->text();
        Form7->Button1Click();  // unchanged: its own mark is no duplicate
        return int(QDialog::Rejected);
    });
    script.on(Form3, [] {
        DataModule6->Izdel->setRecNo(1);
        Form3->DBGrid1DblClick();
        EXPECT_EQ(DataModule6->Izdel->recNo(), 1);
        return int(QDialog::Rejected);
    });
    Form3->ShowAsReferenceBook();
    EXPECT_EQ(shownMark, "КРАСКА");
    EXPECT_EQ(shownQuantity, "2,5");

    saveThroughEditor("М-20", "М-21", "7,25", script);
    EXPECT_EQ(storedProducts(), QStringList({"1|КРАСКА|2.5", "2|М-10|12", "3|М-21|7.25"}));

    MessageLog log;
    saveThroughEditor("М-21", "м-10", "1", script);
    EXPECT_EQ(log.texts(), QStringList{"Такая марка изделия уже заведена!"});
}

TEST_F(ProductsWindow, QuantityBoxTakesDigitsAndDecimalMarksAsComma) {
    ModalScript script;
    script.on(Form7, [] {
        typeText(Form7->Edit2, "1x2.5 ");
        EXPECT_EQ(Form7->Edit2->text(), "12,5");
        QTest::keyClick(Form7->Edit2, Qt::Key_Backspace);
        typeText(Form7->Edit2, ",");
        EXPECT_EQ(Form7->Edit2->text(), "12,,");
        return int(QDialog::Rejected);
    });
    script.on(Form3, [] {
        Form3->Button1Click();
        return int(QDialog::Rejected);
    });
    Form3->ShowAsReferenceBook();
}

TEST_F(ProductsWindow, QuantityThatIsNoNumberIsShownAsAnErrorAndNothingIsWritten) {
    MessageLog log;
    ModalScript script;
    bool stayedOpen = false;
    script.on(Form7, [&] {
        Form7->Edit1->setText("М-1");
        Form7->Edit2->setText("2,5,");
        QTest::mouseClick(Form7->Button1, Qt::LeftButton);
        stayedOpen = Form7->isVisible();
        return int(QDialog::Rejected);
    });
    script.on(Form3, [] {
        Form3->Button1Click();
        return int(QDialog::Rejected);
    });
    Form3->ShowAsReferenceBook();
    EXPECT_TRUE(stayedOpen);
    ASSERT_EQ(log.count(), 1);
    EXPECT_TRUE(log.messages()[0].text.contains("2,5,"));
    EXPECT_TRUE(storedProducts().isEmpty());
}

TEST_F(ProductsWindow, DeleteAsksThenDeletesThroughTheQuery) {
    seed();
    MessageLog log;
    log.answerNext(ui::Answer::No);
    ModalScript script;
    script.on(Form3, [] {
        DataModule6->Izdel->setRecNo(2);
        Form3->Button3Click();
        Form3->Button3Click();
        EXPECT_EQ(DataModule6->Izdel->recNo(), 2);
        EXPECT_EQ(DataModule6->Izdel->text("marka"), "М-20");
        return int(QDialog::Rejected);
    });
    Form3->ShowAsReferenceBook();
    ASSERT_EQ(log.count(), 2);
    EXPECT_EQ(log.messages()[1].text, "Удалить изделие?");
    EXPECT_EQ(log.messages()[1].caption, "Удаление");
    EXPECT_EQ(log.messages()[1].icon, ui::Icon::Question);
    EXPECT_EQ(storedProducts(), QStringList({"1|КРАСКА|2.5", "3|М-20|4"}));

    testdb::reset();
    log.clear();
    script.on(Form3, [] {
        Form3->Button3Click();
        Form3->DBGrid1DblClick();
        return int(QDialog::Rejected);
    });
    Form3->ShowAsReferenceBook();
    EXPECT_EQ(log.count(), 0);
    EXPECT_EQ(script.shown.last(), "Form3: Изделия");
}

TEST_F(ProductsWindow, PickerHandsBackTrimmedMarkAndIdAndAnEmptyListGivesNothing) {
    seed();
    testdb::exec("update cmn_gds_and_srv.gds_and_srv set s_caption = ' М-10  ' where id = 2");
    ModalScript script;
    script.on(Form3, [] {
        typeText(Form3->Edit1, " М-1");
        Form3->DBGrid1DblClick();
        return int(QDialog::Rejected);
    });
    Form3->ShowAsPicker();
    EXPECT_EQ(Form10->Edit1->text(), "М-10");
    EXPECT_EQ(Form10->izdel_id, 2);

    testdb::reset();
    Form3->ShowAsPicker();
    EXPECT_EQ(Form10->Edit1->text(), "");
    EXPECT_EQ(Form10->izdel_id, 0);
}

}  // namespace
