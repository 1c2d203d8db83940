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
#include <QRadioButton>
#include <QTest>
#include "../support/app_controls.h"
#include "../support/app_windows.h"

using namespace testing_support;

namespace {

using entrytest::EntryTest;

using EntryEditor = EntryTest;

TEST_F(EntryEditor, TabOrderSkipsTheReadOnlyBoxes) {
    entryEditor().show();
    QWidget* w = entryWorkerPicker();
    QStringList order;
    for (int i = 0; i < 9; ++i) {
        order << w->objectName();
        do
            w = w->nextInFocusChain();
        while (!(w->focusPolicy() & Qt::TabFocus) || !w->isVisible() || !w->isEnabled() ||
               w->parentWidget() == entryDate());  // the date picker's own text box
    }
    EXPECT_EQ(order, QStringList({"Button3", "Button4", "Edit3", "Edit6", "Edit5", "DTimeP",
                                  "Edit4", "Button1", "Button2"}));
    EXPECT_EQ(control<QGroupBox>(entryEditor(), "GroupBox1")->title(), "Закрыто мастером");
    EXPECT_TRUE(entrySaveButton()->isDefault());
}

TEST_F(EntryEditor, DigitBoxesTakeDigitsOnly) {
    entryEditor().show();
    for (QLineEdit* box :
         {entryQuantityBox(), entryDefectsBox(), entryColourBox(), entryHoursBox()}) {
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
    {
        ::entry::EntryEditor::Chosen c = entryEditor().chosen();
        c.price = 12.5;
        entryEditor().setChosen(c);
    }
    entryQuantityBox()->setText("7");
    entryDefectsBox()->setText("3");
    entryHoursBox()->clear();
    entryEditor().refreshPrices();
    EXPECT_EQ(entrySumBox()->text(), "87,5");
    EXPECT_EQ(entryFinalPriceBox()->text(), "12,5");
    EXPECT_EQ(entryBasePriceBox()->text(), "0");  // no operation list open
    EXPECT_EQ(entryHoursBox()->text(), "0");

    entryQuantityBox()->clear();
    {
        ::entry::EntryEditor::Chosen c = entryEditor().chosen();
        c.price = 0.09375;
        entryEditor().setChosen(c);
    }
    entryEditor().refreshPrices();
    EXPECT_EQ(entryQuantityBox()->text(), "0");
    EXPECT_EQ(entrySumBox()->text(), "0");
    EXPECT_EQ(entryFinalPriceBox()->text(), "0,0938");
}

TEST_F(EntryEditor, LeavingQuantityOrHoursRefreshesThePrices) {
    entryEditor().show();
    entryEditor().activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&entryEditor()));
    {
        ::entry::EntryEditor::Chosen c = entryEditor().chosen();
        c.price = 10;
        entryEditor().setChosen(c);
    }
    entryQuantityBox()->setFocus(Qt::TabFocusReason);
    entryQuantityBox()->setText("4");
    entryHoursBox()->setFocus(Qt::TabFocusReason);
    EXPECT_EQ(entrySumBox()->text(), "40");
    entryHoursBox()->clear();
    entryDefectsBox()->setFocus(Qt::TabFocusReason);
    EXPECT_EQ(entryHoursBox()->text(), "0");
}

TEST_F(EntryEditor, AddResetsWhatItNamesAndKeepsTheRest) {
    fillWorkedExample();
    entryColourBox()->setText("9");
    entryFinalPriceBox()->setText("12,5");
    journalDate()->setDate(entrytest::kNov6);
    shiftButton(3)->click();
    ui::setModalHook([&](QWidget* w) {
        EXPECT_EQ(w, &entryEditor());
        EXPECT_EQ(entryEditor().windowTitle(), "Заведение новой позиции");
        EXPECT_EQ(entryEditor().mode(), ::entry::EntryEditor::Mode::Adding);
        EXPECT_EQ(entryDate()->date(), entrytest::kNov6);
        for (QLineEdit* box :
             {entryWorkerBox(), entryOperationBox(), entryQuantityBox(), entryColourBox()})
            EXPECT_TRUE(box->text().isEmpty()) << box->objectName().toStdString();
        EXPECT_EQ(entryDefectsBox()->text(), "0");
        EXPECT_EQ(entryHoursBox()->text(), "0");
        EXPECT_EQ(entryFinalPriceBox()->text(), "12,5");
        EXPECT_EQ(entryEditor().chosen().workerId, 17);
        EXPECT_EQ(entryEditor().chosen().price, 12.5);
        return QDialog::Rejected;
    });
    journalWindow().addEntry();
    EXPECT_EQ(journalWindow().currentJournal(), testdb::sharedData().journalOf(3));
}

TEST_F(EntryEditor, SearchedPickKeepsTheChosenOperationAndShowsItsBasePrice) {
    // Another product, whose operation comes first in the whole list.
    testdb::exec(
        "insert into cmn_gds_and_srv.gds_and_srv(id, s_caption, id_msm_bs) values (30, 'А-7', 6);"
        "insert into accounts_dep.oper(id, vid, naimen, i_id) values (239, 5, 0, 30);"
        "insert into accounts_dep.norm(o_id, norma, price) values (239, 1, 99)");
    dayOffCheck()->setChecked(false);
    ModalScript modal;
    modal.on(&operationsList(), [] {
        testing_support::typeText(searchBoxOf(operationsList()),
                                  "М-3");  // Покраска, then Сварка
        QTest::keyClick(searchBoxOf(operationsList()), Qt::Key_Down);
        changeButtonOf(operationsList())->click();  // "Выбрать"
        return int(QDialog::Rejected);
    });
    entryEditor().setMode(::entry::EntryEditor::Mode::Adding);
    entryOperationPicker()->click();
    EXPECT_EQ(modal.shown, QStringList{"Form4: Операции"});
    EXPECT_EQ(entryOperationBox()->text(), entrytest::kWelding);
    EXPECT_EQ(entryOperationBox()->cursorPosition(),
              0);  // a choice longer than the box shows its mark
    EXPECT_EQ(entryEditor().chosen().operationId, 240);
    EXPECT_EQ(entryBasePriceBox()->text(),
              "12,5");  // the lowest norm of welding, not 99
    EXPECT_EQ(entryFinalPriceBox()->text(), "12,5");
}

TEST_F(EntryEditor, EnterPressesTheFocusedButtonOtherwiseSaves) {
    entryEditor().show();
    for (QLineEdit* box : {entryWorkerBox(), entryOperationBox(), entryQuantityBox()})
        box->clear();
    MessageLog log;
    ModalScript modal;  // every picker cancelled
    QTest::keyClick(entryOperationPicker(), Qt::Key_Return);
    QTest::keyClick(entryWorkerPicker(), Qt::Key_Enter);
    EXPECT_EQ(modal.shown, (QStringList{"Form4: Операции", "Form5: Список рабочих"}));
    EXPECT_EQ(log.count(), 0);  // no save

    QTest::keyClick(entryQuantityBox(),
                    Qt::Key_Return);  // "Запись", the default button
    EXPECT_EQ(log.texts(), QStringList{QString::fromUtf8(entry::kIncompleteMessage)});
}

TEST_F(EntryEditor, OnlyALeftClickOnTheWorkerOrOperationBoxOpensItsPicker) {
    entryEditor().show();
    QLineEdit* worker = entryWorkerBox();
    QLineEdit* operation = entryOperationBox();
    ModalScript modal;  // every picker cancelled
    for (QLineEdit* box : {worker, operation})
        for (Qt::MouseButton button : {Qt::RightButton, Qt::MiddleButton})
            QTest::mouseClick(box, button);
    EXPECT_EQ(modal.shown, QStringList{});
    QTest::mouseClick(worker, Qt::LeftButton);
    QTest::mouseClick(operation, Qt::LeftButton);
    EXPECT_EQ(modal.shown, (QStringList{"Form5: Список рабочих", "Form4: Операции"}));
}

TEST_F(EntryEditor, ChangeShowsAWholeQuantityAsDigits) {
    entry::EntryValues v = entrytest::workedExample();
    v.quantity = QStringLiteral("100000");
    ASSERT_EQ(entry::saveEntry(testdb::sharedData(), v), data::Verdict::Kind::Saved);
    showJournal(entrytest::kNov5);
    QString quantity, sum;
    ui::setModalHook([&](QWidget*) {
        quantity = entryQuantityBox()->text();
        sum = entrySumBox()->text();
        return int(QDialog::Rejected);
    });
    journalWindow().changeEntry();
    EXPECT_EQ(quantity, "100000");
    EXPECT_EQ(sum, "1250000");
}

TEST_F(EntryEditor, ChangeOnAnEmptyJournalShowsNothing) {
    bool shown = false;
    ui::setModalHook([&](QWidget*) {
        shown = true;
        return QDialog::Rejected;
    });
    journalWindow().changeEntry();
    EXPECT_FALSE(shown);
}

}  // namespace
