#include "../support/message_log.h"
#include "../support/test_database.h"
#include "../support/widget_driving.h"
#include "data/data_module.h"
#include "entry/entry_editor.h"
#include "refbooks/worker_editor.h"
#include "refbooks/workers_list.h"

#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QWheelEvent>

namespace {

using testing_support::columnTexts;
using testing_support::MessageLog;
using testing_support::ModalScript;
using testing_support::typeText;

class WorkersWindow : public testdb::AppTest {
protected:
    void SetUp() override {
        testdb::AppTest::SetUp();
        Form5->Edit1->clear();
        Form2->LCB_department->setCurrentIndex(-1);
    }
    static void seed() {
        testdb::exec(
            "insert into accounts_dep.person(fio, s_staffpos_hl) values "
            "('Иванов И.И.', 'Цех 1'), ('Ивлев П.С.', 'Цех 2'), ('О''Брайен Д.', ''), "
            "('Петров А.А.', 'Цех 1')");
    }
    static QStringList storedWorkers() {
        QStringList out;
        for (const auto& r :
             testdb::rows("select fio, s_staffpos_hl from accounts_dep.person order by id"))
            out << r[0].toString() + "|" + r[1].toString();
        return out;
    }
};

struct ButtonsSeen {
    int tag = -1;
    bool add = false, del = false, search = false, button2Default = false, addDefault = false;
    QString button2;
    int rows = -1;
};

ButtonsSeen seeButtons() {
    ButtonsSeen s;
    s.tag = Form5->Tag;
    s.add = Form5->Button1->isVisible();
    s.del = Form5->Button3->isVisible();
    s.search = Form5->Edit1->isVisible();
    s.button2 = Form5->Button2->text();
    s.button2Default = Form5->Button2->isDefault();
    s.addDefault = Form5->Button1->isDefault();
    s.rows = Form5->DBGrid1->model()->rowCount();
    return s;
}

TEST_F(WorkersWindow, ModesSetTheirButtonsAndThePickerClearsTheKeptFilter) {
    seed();
    ModalScript script;
    ButtonsSeen seen;
    script.on(Form5, [&] {
        seen = seeButtons();
        return int(QDialog::Rejected);
    });

    Form5->ShowAsPicker();
    EXPECT_EQ(seen.tag, 1);
    EXPECT_FALSE(seen.add);
    EXPECT_FALSE(seen.del);
    EXPECT_TRUE(seen.search);
    EXPECT_EQ(seen.button2, "Выбрать");
    EXPECT_TRUE(seen.button2Default);
    EXPECT_EQ(seen.rows, 4);

    // A search typed in the reference book stays for its next showing.
    script.on(Form5, [&] {
        typeText(Form5->Edit1, "Ив");
        return int(QDialog::Rejected);
    });
    Form5->ShowAsReferenceBook();
    EXPECT_FALSE(DataModule6->Workers->isOpen());
    script.on(Form5, [&] {
        seen = seeButtons();
        return int(QDialog::Rejected);
    });
    Form5->ShowAsReferenceBook();
    EXPECT_EQ(seen.tag, 0);
    EXPECT_TRUE(seen.add);
    EXPECT_TRUE(seen.del);
    EXPECT_TRUE(seen.search);
    EXPECT_EQ(seen.button2, "Изменить");
    EXPECT_FALSE(seen.button2Default);
    EXPECT_TRUE(seen.addDefault);
    EXPECT_EQ(Form5->Edit1->text(), "Ив");
    EXPECT_EQ(seen.rows, 2);

    Form5->ShowAsPicker();
    EXPECT_EQ(Form5->Edit1->text(), "");
    EXPECT_EQ(seen.rows, 4);
}

TEST_F(WorkersWindow, EnterAddsInTheReferenceBookAndChoosesInThePicker) {
    seed();
    ModalScript script;
    script.on(Form5, [] {
        QTest::keyClick(Form5->Edit1, Qt::Key_Return);
        return int(QDialog::Rejected);
    });
    Form5->ShowAsPicker();  // the picker first: its default button must not stick
    EXPECT_EQ(Form11->Edit1->text(), "Иванов И.И.");
    script.shown.clear();
    Form5->ShowAsReferenceBook();
    EXPECT_EQ(script.shown,
              QStringList({"Form5: Список рабочих", "Form2: Заведение данных нового работника"}));
}

TEST_F(WorkersWindow, SearchFiltersByPrefixIgnoringCaseAndTakesApostrophesLiterally) {
    seed();
    const std::pair<const char*, QStringList> cases[] = {
        {"Ив", {"Иванов И.И.", "Ивлев П.С."}},
        {"ив", {"Иванов И.И.", "Ивлев П.С."}},
        {"Иванов И", {"Иванов И.И."}},
        {"О'Б", {"О'Брайен Д."}},
        {"x'); drop", {}},
        {"", {"Иванов И.И.", "Ивлев П.С.", "О'Брайен Д.", "Петров А.А."}},
    };
    MessageLog log;
    ModalScript script;
    script.on(Form5, [&] {
        for (const auto& [typed, expected] : cases) {
            Form5->Edit1->setText(QString::fromUtf8(typed));
            EXPECT_EQ(columnTexts(Form5->DBGrid1), expected) << typed;
        }
        return int(QDialog::Rejected);
    });
    Form5->ShowAsReferenceBook();
    EXPECT_EQ(log.count(), 0) << log.texts().join("; ").toStdString();
}

TEST_F(WorkersWindow, SearchBoxMovesWithArrowsAndSwallowsOtherEditingKeys) {
    seed();
    ModalScript script;
    script.on(Form5, [&] {
        data::Dataset* w = DataModule6->Workers;
        QTest::keyClick(Form5->Edit1, Qt::Key_Down);
        QTest::keyClick(Form5->Edit1, Qt::Key_Down);
        EXPECT_EQ(w->recNo(), 3);
        EXPECT_EQ(Form5->DBGrid1->currentIndex().row(), 2);
        QTest::keyClick(Form5->Edit1, Qt::Key_Up);
        EXPECT_EQ(w->recNo(), 2);
        typeText(Form5->Edit1, "Пе");
        QTest::keyClick(Form5->Edit1, Qt::Key_Left);
        QTest::keyClick(Form5->Edit1, Qt::Key_Home);
        QTest::keyClick(Form5->Edit1, Qt::Key_Delete);
        typeText(Form5->Edit1, "т");
        EXPECT_EQ(Form5->Edit1->text(), "Пет");
        QTest::keyClick(Form5->Edit1, Qt::Key_Backspace);
        EXPECT_EQ(Form5->Edit1->text(), "Пе");
        EXPECT_EQ(columnTexts(Form5->DBGrid1), QStringList{"Петров А.А."});
        return int(QDialog::Rejected);
    });
    Form5->ShowAsPicker();
}

TEST_F(WorkersWindow, AddStoresTrimmedNameAndDepartmentTextAndRefusesAnEmptyName) {
    testdb::exec(
        "insert into cmn_department.department(id, s_caption) values (1, 'Цех 2'), (2, 'Цех 1');"
        "insert into hrms_staffpos.staffpos(id, s_caption) values (1, 'Маляр');"
        "insert into adm_role.roles(id, s_caption) values (1, 'Бригадир')");
    seed();
    MessageLog log;
    ModalScript script;
    bool stayedOpen = false;
    script.on(Form2, [&] {
        EXPECT_EQ(Form2->Edit1->text(), "");
        EXPECT_EQ(Form2->LCB_department->currentText(), "");
        EXPECT_EQ(Form2->LCB_department->maxVisibleItems(), 10);
        Form2->Edit1->setText("   ");
        Form2->Button1Click();
        stayedOpen = Form2->isVisible();
        Form2->Edit1->setText("  Абрамов О'Нил  ");
        Form2->LCB_department->setCurrentIndex(Form2->LCB_department->findText("Цех 2"));
        Form2->Button1Click();
        return int(QDialog::Rejected);
    });
    script.on(Form5, [] {
        DataModule6->Workers->setRecNo(3);
        Form5->Button1Click();
        EXPECT_EQ(DataModule6->Workers->recNo(), 1);
        return int(QDialog::Rejected);
    });
    Form5->ShowAsReferenceBook();
    EXPECT_EQ(log.texts(), QStringList{"ФИО нужно заполнить!"});
    EXPECT_EQ(log.messages()[0].caption, "Ошибка");
    EXPECT_TRUE(stayedOpen);
    EXPECT_EQ(Form2->LCB_department->itemText(0), "Цех 1");
    EXPECT_EQ(testdb::scalar("select s_staffpos_hl from accounts_dep.person where fio = "
                             "'Абрамов О''Нил'")
                  .toString(),
              "Цех 2");

    // The department chosen last stays chosen when the editor opens next.
    script.on(Form2, [] {
        EXPECT_EQ(Form2->LCB_department->currentText(), "Цех 2");
        return int(QDialog::Rejected);
    });
    script.on(Form5, [] {
        Form5->Button1Click();
        return int(QDialog::Rejected);
    });
    Form5->ShowAsReferenceBook();
}

TEST_F(WorkersWindow, HostileNameIsStoredVerbatim) {
    const QString hostile = "x'); drop table accounts_dep.smena; --";
    ModalScript script;
    script.on(Form2, [&] {
        Form2->Edit1->setText(hostile);
        Form2->Button1Click();
        return int(QDialog::Rejected);
    });
    script.on(Form5, [] {
        Form5->Button1Click();
        return int(QDialog::Rejected);
    });
    Form5->ShowAsReferenceBook();
    EXPECT_EQ(storedWorkers(), QStringList{hostile + "|"});
    EXPECT_EQ(testdb::scalar("select count(*) from accounts_dep.smena").toInt(), 0);
}

TEST_F(WorkersWindow, ChangeEditsTheCurrentWorkerAndComesBackToItsRowNumber) {
    seed();
    testdb::exec("update accounts_dep.person set fio = '  Ивлев П.С. ' where fio = 'Ивлев П.С.'");
    ModalScript script;
    script.on(Form2, [] {
        EXPECT_EQ(Form2->windowTitle(), "Изменение данных работника");
        EXPECT_EQ(Form2->Edit1->text(), "Ивлев П.С.");
        EXPECT_EQ(Form2->person_id, 2);
        Form2->Edit1->setText("Яковлев П.С.");
        Form2->Button1Click();
        return int(QDialog::Rejected);
    });
    int rowAfter = 0;
    script.on(Form5, [&] {
        DataModule6->Workers->locate("id", 2);
        const int row = DataModule6->Workers->recNo();
        Form5->DBGrid1DblClick();
        rowAfter = DataModule6->Workers->recNo();
        EXPECT_EQ(rowAfter, row);
        return int(QDialog::Rejected);
    });
    Form5->ShowAsReferenceBook();
    EXPECT_EQ(storedWorkers(), QStringList({"Иванов И.И.|Цех 1", "Яковлев П.С.|", "О'Брайен Д.|",
                                            "Петров А.А.|Цех 1"}));
}

TEST_F(WorkersWindow, DeleteAsksThenDeletesAndKeepsTheRowNumber) {
    seed();
    MessageLog log;
    log.answerNext(ui::Answer::No);
    ModalScript script;
    script.on(Form5, [] {
        DataModule6->Workers->setRecNo(2);
        Form5->Button3Click();  // answered No
        EXPECT_EQ(DataModule6->Workers->recordCount(), 4);
        Form5->Button3Click();
        EXPECT_EQ(DataModule6->Workers->recNo(), 2);
        EXPECT_EQ(DataModule6->Workers->text("fio"), "О'Брайен Д.");
        DataModule6->Workers->last();
        Form5->Button3Click();
        EXPECT_EQ(DataModule6->Workers->recordCount(), 2);
        return int(QDialog::Rejected);
    });
    Form5->ShowAsReferenceBook();
    ASSERT_EQ(log.count(), 3);
    EXPECT_EQ(log.messages()[0].text, "Удалить работника?");
    EXPECT_EQ(log.messages()[0].caption, "Удаление");
    EXPECT_EQ(log.messages()[0].icon, ui::Icon::Question);
    EXPECT_EQ(log.messages()[0].buttons, ui::Buttons::YesNo);
    EXPECT_EQ(storedWorkers(), QStringList({"Иванов И.И.|Цех 1", "О'Брайен Д.|"}));
    // The person register follows.
    EXPECT_EQ(testdb::scalar("select count(*) from cmn_contractor.person").toInt(), 2);
}

TEST_F(WorkersWindow, ChangeAndDeleteOnAnEmptyListDoNothing) {
    MessageLog log;
    ModalScript script;
    script.on(Form5, [] {
        Form5->Button2Click();
        Form5->Button3Click();
        return int(QDialog::Rejected);
    });
    Form5->ShowAsReferenceBook();
    EXPECT_EQ(script.shown, QStringList{"Form5: Список рабочих"});
    EXPECT_EQ(log.count(), 0);
}

TEST_F(WorkersWindow, PickerHandsBackTrimmedNameAndIdAndCancelKeepsTheEntry) {
    seed();
    testdb::exec("update accounts_dep.person set fio = 'Петров А.А.   ' where id = 4");
    Form11->Edit1->setText("прежний");
    Form11->entry_w_id = 77;
    ModalScript script;
    script.on(Form5, [] {
        QTest::keyClick(Form5->Button4, Qt::Key_Escape);
        return int(QDialog::Rejected);
    });
    Form5->ShowAsPicker();
    EXPECT_EQ(Form11->Edit1->text(), "прежний");
    EXPECT_EQ(Form11->entry_w_id, 77);

    script.on(Form5, [] {
        typeText(Form5->Edit1, "Пет");
        Form5->DBGrid1DblClick();
        return int(QDialog::Rejected);
    });
    Form5->ShowAsPicker();
    EXPECT_EQ(Form11->Edit1->text(), "Петров А.А.");
    EXPECT_EQ(Form11->entry_w_id, 4);
    EXPECT_FALSE(DataModule6->Workers->isOpen());

    // An empty list closes and leaves the entry editor alone.
    testdb::reset();
    int result = -1;
    script.on(Form5, [&] {
        Form5->Button2Click();
        result = Form5->isVisible() ? 0 : 1;
        return int(QDialog::Rejected);
    });
    Form5->ShowAsPicker();
    EXPECT_EQ(result, 1);
    EXPECT_EQ(Form11->entry_w_id, 4);
}

TEST_F(WorkersWindow, WheelMovesTheFocusedLookupList) {
    testdb::exec("insert into adm_role.roles(id, s_caption) values (1, 'А'), (2, 'Б'), (3, 'В')");
    ModalScript script;
    script.on(Form2, [] {
        Form2->activateWindow();
        Form2->LCB_roles->setFocus();
        Form2->LCB_roles->setCurrentIndex(0);
        Form2->FormMouseWheel(true);
        EXPECT_EQ(Form2->LCB_roles->currentText(), "Б");
        QWheelEvent up(QPointF(5, 5), QPointF(5, 5), QPoint(), QPoint(0, 120), Qt::NoButton,
                       Qt::NoModifier, Qt::NoScrollPhase, false);
        QApplication::sendEvent(Form2, &up);
        EXPECT_EQ(Form2->LCB_roles->currentText(), "А");
        EXPECT_EQ(Form2->LCB_staffpos->currentIndex(), -1);
        return int(QDialog::Rejected);
    });
    script.on(Form5, [] {
        Form5->Button1Click();
        return int(QDialog::Rejected);
    });
    Form5->ShowAsReferenceBook();
}

}  // namespace
