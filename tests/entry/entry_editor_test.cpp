#include "entry_fixture.h"

#include "../support/message_log.h"
#include "../support/widget_driving.h"
#include "app/journal_window.h"
#include "data/data_module.h"
#include "entry/entry_editor.h"
#include "entry/entry_save.h"
#include "refbooks/operations_list.h"
#include "ui/modal.h"

#include <QCheckBox>
#include <QDateEdit>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

namespace {

using entrytest::EntryTest;
using testing_support::MessageLog;
using testing_support::ModalScript;

using EntryEditor = EntryTest;

TEST_F(EntryEditor, TabOrderSkipsTheReadOnlyBoxes) {
    Form11->show();
    QWidget* w = Form11->Button3;
    QStringList order;
    for (int i = 0; i < 9; ++i) {
        order << w->objectName();
        do
            w = w->nextInFocusChain();
        while (!(w->focusPolicy() & Qt::TabFocus) || !w->isVisible() || !w->isEnabled() ||
               w->parentWidget() == Form11->DTimeP);  // the date picker's own text box
    }
    EXPECT_EQ(order, QStringList({"Button3", "Button4", "Edit3", "Edit6", "Edit5", "DTimeP",
                                  "Edit4", "Button1", "Button2"}));
    EXPECT_EQ(Form11->GroupBox1->title(), "Закрыто мастером");
    EXPECT_TRUE(Form11->Button1->isDefault());
}

TEST_F(EntryEditor, DigitBoxesTakeDigitsOnly) {
    Form11->show();
    for (QLineEdit* box : {Form11->Edit3, Form11->Edit4, Form11->Edit5, Form11->Edit6}) {
        box->setEnabled(true);
        box->clear();
        QTest::keyClicks(box, "1a-2,5 x");
        EXPECT_EQ(box->text(), "125") << box->objectName().toStdString();
        box->clear();
        box->insert("12b");  // pasted text is held to the same rule
        EXPECT_EQ(box->text(), "") << box->objectName().toStdString();
    }
}

TEST_F(EntryEditor, PriceRefreshShowsTheSumWithoutDefectsAndFillsEmptyBoxes) {
    Form11->entry_price = 12.5;
    Form11->Edit3->setText("7");
    Form11->Edit4->setText("3");
    Form11->Edit6->clear();
    Form11->Edit6Exit();
    EXPECT_EQ(Form11->Edit9->text(), "87,5");
    EXPECT_EQ(Form11->Edit7->text(), "12,5");
    EXPECT_EQ(Form11->Edit8->text(), "0");  // no operation list open
    EXPECT_EQ(Form11->Edit6->text(), "0");

    Form11->Edit3->clear();
    Form11->entry_price = 0.09375;
    Form11->Edit6Exit();
    EXPECT_EQ(Form11->Edit3->text(), "0");
    EXPECT_EQ(Form11->Edit9->text(), "0");
    EXPECT_EQ(Form11->Edit7->text(), "0,0938");
}

TEST_F(EntryEditor, LeavingQuantityOrHoursRefreshesThePrices) {
    Form11->show();
    Form11->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(Form11));
    Form11->entry_price = 10;
    Form11->Edit3->setFocus(Qt::TabFocusReason);
    Form11->Edit3->setText("4");
    Form11->Edit6->setFocus(Qt::TabFocusReason);
    EXPECT_EQ(Form11->Edit9->text(), "40");
    Form11->Edit6->clear();
    Form11->Edit4->setFocus(Qt::TabFocusReason);
    EXPECT_EQ(Form11->Edit6->text(), "0");
}

TEST_F(EntryEditor, AddResetsWhatItNamesAndKeepsTheRest) {
    fillWorkedExample();
    Form11->Edit5->setText("9");
    Form11->Edit7->setText("12,5");
    Form1->DateT->setDate(entrytest::kNov6);
    Form1->CurrentShift = 3;
    ui::setModalHook([&](QWidget* w) {
        EXPECT_EQ(w, Form11);
        EXPECT_EQ(Form11->windowTitle(), "Заведение новой позиции");
        EXPECT_EQ(Form11->Tag, 1);
        EXPECT_EQ(Form11->DTimeP->date(), entrytest::kNov6);
        for (QLineEdit* box : {Form11->Edit1, Form11->Edit2, Form11->Edit3, Form11->Edit5})
            EXPECT_TRUE(box->text().isEmpty()) << box->objectName().toStdString();
        EXPECT_EQ(Form11->Edit4->text(), "0");
        EXPECT_EQ(Form11->Edit6->text(), "0");
        EXPECT_EQ(Form11->Edit7->text(), "12,5");
        EXPECT_EQ(Form11->entry_w_id, 17);
        EXPECT_EQ(Form11->entry_price, 12.5);
        return QDialog::Rejected;
    });
    Form11->PrepareAdd();
    EXPECT_EQ(Form1->currentJournal(), DataModule6->Smena3);
}

TEST_F(EntryEditor, SearchedPickKeepsTheChosenOperationAndShowsItsBasePrice) {
    // Another product, whose operation comes first in the whole list.
    testdb::exec(
        "insert into cmn_gds_and_srv.gds_and_srv(id, s_caption, id_msm_bs) values (30, 'А-7', 6);"
        "insert into accounts_dep.oper(id, vid, naimen, i_id) values (239, 5, 0, 30);"
        "insert into accounts_dep.norm(o_id, norma, price) values (239, 1, 99)");
    Form1->CBox1->setChecked(false);
    ModalScript modal;
    modal.on(Form4, [] {
        testing_support::typeText(Form4->Edit1, "М-3");  // Покраска, then Сварка
        QTest::keyClick(Form4->Edit1, Qt::Key_Down);
        Form4->Button2->click();  // "Выбрать"
        return int(QDialog::Rejected);
    });
    Form11->Tag = 1;
    Form11->Button4->click();
    EXPECT_EQ(modal.shown, QStringList{"Form4: Операции"});
    EXPECT_EQ(Form11->Edit2->text(), entrytest::kWelding);
    EXPECT_EQ(Form11->entry_o_id, 240);
    EXPECT_EQ(Form11->Edit8->text(), "12,5");  // the lowest norm of welding, not 99
    EXPECT_EQ(Form11->Edit7->text(), "12,5");
}

TEST_F(EntryEditor, EnterPressesTheFocusedButtonOtherwiseSaves) {
    Form11->show();
    for (QLineEdit* box : {Form11->Edit1, Form11->Edit2, Form11->Edit3})
        box->clear();
    MessageLog log;
    ModalScript modal;  // every picker cancelled
    QTest::keyClick(Form11->Button4, Qt::Key_Return);
    QTest::keyClick(Form11->Button3, Qt::Key_Enter);
    EXPECT_EQ(modal.shown, (QStringList{"Form4: Операции", "Form5: Список рабочих"}));
    EXPECT_EQ(log.count(), 0);  // no save

    QTest::keyClick(Form11->Edit3, Qt::Key_Return);  // "Запись", the default button
    EXPECT_EQ(log.texts(), QStringList{QString::fromUtf8(entry::kIncompleteMessage)});
}

TEST_F(EntryEditor, ChangeShowsAWholeQuantityAsDigits) {
    entry::EntryValues v = entrytest::workedExample();
    v.quantity = QStringLiteral("100000");
    ASSERT_EQ(entry::saveEntry(v), entry::SaveResult::Saved);
    showJournal(entrytest::kNov5);
    QString quantity, sum;
    ui::setModalHook([&](QWidget*) {
        quantity = Form11->Edit3->text();
        sum = Form11->Edit9->text();
        return int(QDialog::Rejected);
    });
    Form11->PrepareChange();
    EXPECT_EQ(quantity, "100000");
    EXPECT_EQ(sum, "1250000");
}

TEST_F(EntryEditor, ChangeOnAnEmptyJournalShowsNothing) {
    bool shown = false;
    ui::setModalHook([&](QWidget*) {
        shown = true;
        return QDialog::Rejected;
    });
    Form11->PrepareChange();
    EXPECT_FALSE(shown);
}

}  // namespace
