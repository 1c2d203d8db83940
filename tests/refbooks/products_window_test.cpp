#include "../support/message_log.h"
#include "../support/test_database.h"
#include "../support/widget_driving.h"
#include "data/data_module.h"
#include "refbooks/operation_editor.h"
#include "refbooks/product_editor.h"
#include "refbooks/products_list.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include "../support/app_controls.h"
#include "../support/app_windows.h"

using namespace testing_support;

namespace {

class ProductsWindow : public testdb::AppTest {
protected:
    void SetUp() override {
        testdb::AppTest::SetUp();
        searchBoxOf(productsList())->clear();
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
        script.on(&productEditor(), [=] {
            productMarkBox()->setText(mark);
            productQuantityBox()->setText(quantity);
            productEditor().save();
            return int(QDialog::Rejected);
        });
        script.on(&productsList(), [=] {
            if (changedMark.isEmpty()) {
                productsList().addRow();
            } else {
                testdb::sharedData().products->locate("marka", changedMark);
                productsList().changeOrChoose();
            }
            return int(QDialog::Rejected);
        });
        productsList().showAsReferenceBook();
    }
};

TEST_F(ProductsWindow, ModesShowTheirControlsAndAPickerFilterStaysForTheMenu) {
    seed();
    ModalScript script;
    QList<bool> seen;
    int rows = -1;
    QString searchText;
    script.on(&productsList(), [&] {
        seen = {
            addButtonOf(productsList())->isVisible(), changeButtonOf(productsList())->isVisible(),
            deleteButtonOf(productsList())->isVisible(), searchBoxOf(productsList())->isVisible()};
        rows = gridOf(productsList())->model()->rowCount();
        searchText = searchBoxOf(productsList())->text();
        if (productsList().mode() == refbooks::ReferenceList::Mode::Picker)
            typeText(searchBoxOf(productsList()), "м-");
        return int(QDialog::Rejected);
    });
    productsList().showAsReferenceBook();
    EXPECT_EQ(seen, QList<bool>({true, false, true, false}));
    EXPECT_EQ(rows, 3);
    operationEditor().pickProduct();
    EXPECT_EQ(productsList().mode(), refbooks::ReferenceList::Mode::Picker);
    EXPECT_EQ(seen, QList<bool>({false, false, false, true}));
    EXPECT_FALSE(searchBoxOf(productsList())->isVisibleTo(&productsList()));
    productsList().showAsReferenceBook();
    EXPECT_EQ(productsList().mode(), refbooks::ReferenceList::Mode::ReferenceBook);
    EXPECT_EQ(seen, QList<bool>({true, false, true, false}));
    EXPECT_EQ(rows, 2);  // still filtered by the picker's "м-"
    operationEditor().pickProduct();
    EXPECT_EQ(rows, 3);
    EXPECT_EQ(searchText, "");
}

TEST_F(ProductsWindow, EnterAddsInTheReferenceBookAndDoesNothingInThePicker) {
    seed();
    ModalScript script;
    bool stillShown = false;
    script.on(&productsList(), [&] {
        QTest::keyClick(gridOf(productsList()), Qt::Key_Return);
        stillShown = productsList().isVisible();
        return int(QDialog::Rejected);
    });
    operationEditor().pickProduct();
    EXPECT_TRUE(stillShown);
    EXPECT_EQ(script.shown, QStringList{"Form3: Изделия"});
    productsList().showAsReferenceBook();
    EXPECT_EQ(script.shown.last(), "Form7: Заведение нового изделия");
}

TEST_F(ProductsWindow, SearchByMarkPrefixAndArrowsMoveTheRow) {
    seed();
    testdb::exec(
        "insert into cmn_gds_and_srv.gds_and_srv(s_caption, id_msm_bs, massa) values "
        "('O''K-1', 6, 1)");
    MessageLog log;
    ModalScript script;
    script.on(&productsList(), [] {
        const std::pair<const char*, QStringList> cases[] = {
            {"М-", {"М-10", "М-20"}},
            {"кра", {"КРАСКА"}},
            {"O'", {"O'K-1"}},
            {"", {"КРАСКА", "М-10", "М-20", "O'K-1"}},
        };
        for (const auto& [typed, expected] : cases) {
            searchBoxOf(productsList())->setText(QString::fromUtf8(typed));
            EXPECT_EQ(columnTexts(gridOf(productsList()), "marka"), expected) << typed;
        }
        // "Коробки" is a number column: right-aligned.
        EXPECT_EQ(cellOf(gridOf(productsList()), 0, "massa")
                      .data(Qt::TextAlignmentRole)
                      .value<Qt::Alignment>(),
                  Qt::AlignRight | Qt::AlignVCenter);
        QTest::keyClick(searchBoxOf(productsList()), Qt::Key_Down);
        QTest::keyClick(searchBoxOf(productsList()), Qt::Key_Down);
        QTest::keyClick(searchBoxOf(productsList()), Qt::Key_Up);
        EXPECT_EQ(testdb::sharedData().products->text("marka"), "М-10");
        // Other keys edit as usual here.
        typeText(searchBoxOf(productsList()), "М0");
        QTest::keyClick(searchBoxOf(productsList()), Qt::Key_Left);
        typeText(searchBoxOf(productsList()), "-1");
        EXPECT_EQ(searchBoxOf(productsList())->text(), "М-10");
        return int(QDialog::Rejected);
    });
    operationEditor().pickProduct();
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
        script.on(&productEditor(), [&] {
            productMarkBox()->setText(QString::fromUtf8(mark));
            productQuantityBox()->setText(QString::fromUtf8(quantity));
            productEditor().save();
            stayedOpen = productEditor().isVisible();
            return int(QDialog::Rejected);
        });
        script.on(&productsList(), [] {
            productsList().addRow();
            return int(QDialog::Rejected);
        });
        productsList().showAsReferenceBook();
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
    script.on(&productEditor(), [&] {
        EXPECT_EQ(productEditor().windowTitle(), "Изменение данных изделия");
        shownMark = productMarkBox()->text();
        shownQuantity = productQuantityBox()->text();
        productEditor().save();  // unchanged: its own mark is no duplicate
        return int(QDialog::Rejected);
    });
    script.on(&productsList(), [] {
        testdb::sharedData().products->setRecNo(1);
        productsList().changeOrChoose();
        EXPECT_EQ(testdb::sharedData().products->recNo(), 1);
        return int(QDialog::Rejected);
    });
    productsList().showAsReferenceBook();
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
    script.on(&productEditor(), [] {
        typeText(productQuantityBox(), "1x2.5 ");
        EXPECT_EQ(productQuantityBox()->text(), "12,5");
        QTest::keyClick(productQuantityBox(), Qt::Key_Backspace);
        typeText(productQuantityBox(), ",");
        EXPECT_EQ(productQuantityBox()->text(), "12,,");
        return int(QDialog::Rejected);
    });
    script.on(&productsList(), [] {
        productsList().addRow();
        return int(QDialog::Rejected);
    });
    productsList().showAsReferenceBook();
}

// Pasting reaches the quantity box without its key rule; saving reads the whole text by that rule.
// The mark is checked as every name is.
TEST_F(ProductsWindow, PastedQuantityAndBrokenMarkAreCheckedOnSave) {
    const struct {
        QString mark;
        QString pasted;
        QString refusal;  // empty: saved
    } cases[] = {
        {"М-1", "1.5", ""},
        {"М-2", "-5", "'-5' не является правильным числом"},
        {"М-3", "1e308", "'1e308' не является правильным числом"},
        {"М-5", QString("7") + QChar(0) + "8", "'7\\u00008' не является правильным числом"},
        {"М-6", QString(10000, QChar('9')),
         "'" + QString(40, QChar('9')) + "…' не является правильным числом"},
        {"М-7\uFFFD\uFFFD", "1",
         "Текст содержит управляющие или повреждённые символы. Исправьте его."},
        {QString("М-4") + QChar(0xD83D), "1",
         "Текст содержит управляющие или повреждённые символы. Исправьте его."},
        {QString(513, QChar(u'Ж')), "1",
         "Текст слишком длинный: допускается не более 512 символов."},
    };
    ModalScript script;
    for (const auto& c : cases) {
        MessageLog log;
        script.on(&productEditor(), [&] {
            productMarkBox()->setText(c.mark);
            auto* quantity = productQuantityBox();
            QGuiApplication::clipboard()->setText(c.pasted);
            quantity->paste();
            EXPECT_EQ(quantity->text(), c.pasted);
            QTest::mouseClick(control<QPushButton>(productEditor(), "Button1"), Qt::LeftButton);
            return int(QDialog::Rejected);
        });
        script.on(&productsList(), [] {
            productsList().addRow();
            return int(QDialog::Rejected);
        });
        productsList().showAsReferenceBook();
        EXPECT_EQ(log.texts(), c.refusal.isEmpty() ? QStringList() : QStringList{c.refusal})
            << c.pasted.toStdString();
    }
    EXPECT_EQ(storedProducts(), QStringList{"1|М-1|1.5"});
}

TEST_F(ProductsWindow, QuantityThatIsNoNumberIsShownAsAnErrorAndNothingIsWritten) {
    MessageLog log;
    ModalScript script;
    bool stayedOpen = false;
    script.on(&productEditor(), [&] {
        productMarkBox()->setText("М-1");
        productQuantityBox()->setText("2,5,");
        QTest::mouseClick(control<QPushButton>(productEditor(), "Button1"), Qt::LeftButton);
        stayedOpen = productEditor().isVisible();
        return int(QDialog::Rejected);
    });
    script.on(&productsList(), [] {
        productsList().addRow();
        return int(QDialog::Rejected);
    });
    productsList().showAsReferenceBook();
    EXPECT_TRUE(stayedOpen);
    ASSERT_EQ(log.count(), 1);
    EXPECT_TRUE(log.messages()[0].text.contains("2,5,"));
    EXPECT_TRUE(storedProducts().isEmpty());
}

TEST_F(ProductsWindow, PickerHandsBackTrimmedMarkAndIdAndAnEmptyListGivesNothing) {
    seed();
    testdb::exec("update cmn_gds_and_srv.gds_and_srv set s_caption = ' М-10  ' where id = 2");
    ModalScript script;
    script.on(&productsList(), [] {
        typeText(searchBoxOf(productsList()), " М-1");
        productsList().changeOrChoose();
        return int(QDialog::Rejected);
    });
    operationEditor().pickProduct();
    EXPECT_EQ(operationProductBox()->text(), "М-10");
    EXPECT_EQ(operationEditor().productId(), 2);

    testdb::reset();
    operationEditor().pickProduct();
    EXPECT_EQ(operationProductBox()->text(), "");
    EXPECT_EQ(operationEditor().productId(), 0);
}

}  // namespace
