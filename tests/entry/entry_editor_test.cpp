#include "entry_fixture.h"

#include "../support/message_log.h"
#include "app/journal_window.h"
#include "data/data_module.h"
#include "entry/entry_editor.h"
#include "ui/modal.h"

#include <QDateEdit>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include "../support/app_windows.h"

using namespace testing_support;

namespace {

using entrytest::EntryTest;
using testing_support::MessageLog;

using EntryEditor = EntryTest;

TEST_F(EntryEditor, TabOrderSkipsTheReadOnlyBoxes) {
    entryEditor().show();
    QWidget* w = control<QPushButton>(entryEditor(), "Button3");
    QStringList order;
    for (int i = 0; i < 9; ++i) {
        order << w->objectName();
        do
            w = w->nextInFocusChain();
        while (!(w->focusPolicy() & Qt::TabFocus) || !w->isVisible() || !w->isEnabled() ||
               w->parentWidget() ==
                   control<QDateEdit>(entryEditor(), "DTimeP"));  // the date picker's own text box
    }
    EXPECT_EQ(order, QStringList({"Button3", "Button4", "Edit3", "Edit6", "Edit5", "DTimeP",
                                  "Edit4", "Button1", "Button2"}));
    EXPECT_EQ(control<QGroupBox>(entryEditor(), "GroupBox1")->title(), "Закрыто мастером");
    EXPECT_TRUE(control<QPushButton>(entryEditor(), "Button1")->isDefault());
}

TEST_F(EntryEditor, DigitBoxesTakeDigitsOnly) {
    entryEditor().show();
    for (QLineEdit* box :
         {control<QLineEdit>(entryEditor(), "Edit3"), control<QLineEdit>(entryEditor(), "Edit4"),
          control<QLineEdit>(entryEditor(), "Edit5"), control<QLineEdit>(entryEditor(), "Edit6")}) {
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
        ::EntryEditor::Chosen c = entryEditor().chosen();
        c.price = 12.5;
        entryEditor().setChosen(c);
    }
    control<QLineEdit>(entryEditor(), "Edit3")->setText("7");
    control<QLineEdit>(entryEditor(), "Edit4")->setText("3");
    control<QLineEdit>(entryEditor(), "Edit6")->clear();
    entryEditor().refreshPrices();
    EXPECT_EQ(control<QLineEdit>(entryEditor(), "Edit9")->text(), "87,5");
    EXPECT_EQ(control<QLineEdit>(entryEditor(), "Edit7")->text(), "12,5");
    EXPECT_EQ(control<QLineEdit>(entryEditor(), "Edit8")->text(), "0");  // no operation list open
    EXPECT_EQ(control<QLineEdit>(entryEditor(), "Edit6")->text(), "0");

    control<QLineEdit>(entryEditor(), "Edit3")->clear();
    {
        ::EntryEditor::Chosen c = entryEditor().chosen();
        c.price = 0.09375;
        entryEditor().setChosen(c);
    }
    entryEditor().refreshPrices();
    EXPECT_EQ(control<QLineEdit>(entryEditor(), "Edit3")->text(), "0");
    EXPECT_EQ(control<QLineEdit>(entryEditor(), "Edit9")->text(), "0");
    EXPECT_EQ(control<QLineEdit>(entryEditor(), "Edit7")->text(), "0,0938");
}

TEST_F(EntryEditor, LeavingQuantityOrHoursRefreshesThePrices) {
    entryEditor().show();
    entryEditor().activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&entryEditor()));
    {
        ::EntryEditor::Chosen c = entryEditor().chosen();
        c.price = 10;
        entryEditor().setChosen(c);
    }
    control<QLineEdit>(entryEditor(), "Edit3")->setFocus(Qt::TabFocusReason);
    control<QLineEdit>(entryEditor(), "Edit3")->setText("4");
    control<QLineEdit>(entryEditor(), "Edit6")->setFocus(Qt::TabFocusReason);
    EXPECT_EQ(control<QLineEdit>(entryEditor(), "Edit9")->text(), "40");
    control<QLineEdit>(entryEditor(), "Edit6")->clear();
    control<QLineEdit>(entryEditor(), "Edit4")->setFocus(Qt::TabFocusReason);
    EXPECT_EQ(control<QLineEdit>(entryEditor(), "Edit6")->text(), "0");
}

TEST_F(EntryEditor, AddResetsWhatItNamesAndKeepsTheRest) {
    fillWorkedExample();
    control<QLineEdit>(entryEditor(), "Edit5")->setText("9");
    control<QLineEdit>(entryEditor(), "Edit7")->setText("12,5");
    control<QDateEdit>(journalWindow(), "DateT")->setDate(entrytest::kNov6);
    control<QRadioButton>(journalWindow(), "RadioButton3")->click();
    ui::setModalHook([&](QWidget* w) {
        EXPECT_EQ(w, &entryEditor());
        EXPECT_EQ(entryEditor().windowTitle(), "Заведение новой позиции");
        EXPECT_EQ(entryEditor().Tag, 1);
        EXPECT_EQ(control<QDateEdit>(entryEditor(), "DTimeP")->date(), entrytest::kNov6);
        for (QLineEdit* box : {control<QLineEdit>(entryEditor(), "Edit1"),
                               control<QLineEdit>(entryEditor(), "Edit2"),
                               control<QLineEdit>(entryEditor(), "Edit3"),
                               control<QLineEdit>(entryEditor(), "Edit5")})
            EXPECT_TRUE(box->text().isEmpty()) << box->objectName().toStdString();
        EXPECT_EQ(control<QLineEdit>(entryEditor(), "Edit4")->text(), "0");
        EXPECT_EQ(control<QLineEdit>(entryEditor(), "Edit6")->text(), "0");
        EXPECT_EQ(control<QLineEdit>(entryEditor(), "Edit7")->text(), "12,5");
        EXPECT_EQ(entryEditor().chosen().workerId, 17);
        EXPECT_EQ(entryEditor().chosen().price, 12.5);
        return QDialog::Rejected;
    });
    journalWindow().addEntry();
    EXPECT_EQ(journalWindow().currentJournal(), testdb::sharedData().Smena3);
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
