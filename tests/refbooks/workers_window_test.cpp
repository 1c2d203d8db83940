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
#include "../support/app_controls.h"
#include "../support/app_windows.h"

using namespace testing_support;

namespace {

class WorkersWindow : public testdb::AppTest {
protected:
    void SetUp() override {
        testdb::AppTest::SetUp();
        searchBoxOf(workersList())->clear();
        workerDepartmentList()->setCurrentIndex(-1);
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
    std::optional<refbooks::ReferenceList::Mode> mode;
    bool add = false, del = false, search = false, button2Default = false, addDefault = false;
    QString button2;
    int rows = -1;
};

ButtonsSeen seeButtons() {
    ButtonsSeen s;
    s.mode = workersList().mode();
    s.add = addButtonOf(workersList())->isVisible();
    s.del = deleteButtonOf(workersList())->isVisible();
    s.search = searchBoxOf(workersList())->isVisible();
    s.button2 = changeButtonOf(workersList())->text();
    s.button2Default = changeButtonOf(workersList())->isDefault();
    s.addDefault = addButtonOf(workersList())->isDefault();
    s.rows = gridOf(workersList())->model()->rowCount();
    return s;
}

TEST_F(WorkersWindow, ModesSetTheirButtonsAndThePickerClearsTheKeptFilter) {
    seed();
    ModalScript script;
    ButtonsSeen seen;
    script.on(&workersList(), [&] {
        seen = seeButtons();
        return int(QDialog::Rejected);
    });

    entryEditor().pickWorker();
    EXPECT_EQ(seen.mode, refbooks::ReferenceList::Mode::Picker);
    EXPECT_FALSE(seen.add);
    EXPECT_FALSE(seen.del);
    EXPECT_TRUE(seen.search);
    EXPECT_EQ(seen.button2, "Выбрать");
    EXPECT_TRUE(seen.button2Default);
    EXPECT_EQ(seen.rows, 4);

    // A search typed in the reference book stays for its next showing.
    script.on(&workersList(), [&] {
        typeText(searchBoxOf(workersList()), "Ив");
        return int(QDialog::Rejected);
    });
    workersList().showAsReferenceBook();
    EXPECT_FALSE(testdb::sharedData().workers->isOpen());
    script.on(&workersList(), [&] {
        seen = seeButtons();
        return int(QDialog::Rejected);
    });
    workersList().showAsReferenceBook();
    EXPECT_EQ(seen.mode, refbooks::ReferenceList::Mode::ReferenceBook);
    EXPECT_TRUE(seen.add);
    EXPECT_TRUE(seen.del);
    EXPECT_TRUE(seen.search);
    EXPECT_EQ(seen.button2, "Изменить");
    EXPECT_FALSE(seen.button2Default);
    EXPECT_TRUE(seen.addDefault);
    EXPECT_EQ(searchBoxOf(workersList())->text(), "Ив");
    EXPECT_EQ(seen.rows, 2);

    entryEditor().pickWorker();
    EXPECT_EQ(searchBoxOf(workersList())->text(), "");
    EXPECT_EQ(seen.rows, 4);
}

TEST_F(WorkersWindow, EnterAddsInTheReferenceBookAndChoosesInThePicker) {
    seed();
    ModalScript script;
    script.on(&workersList(), [] {
        QTest::keyClick(searchBoxOf(workersList()), Qt::Key_Return);
        return int(QDialog::Rejected);
    });
    entryEditor().pickWorker();  // the picker first: its default button must not stick
    EXPECT_EQ(entryWorkerBox()->text(), "Иванов И.И.");
    script.shown.clear();
    workersList().showAsReferenceBook();
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
    script.on(&workersList(), [&] {
        for (const auto& [typed, expected] : cases) {
            searchBoxOf(workersList())->setText(QString::fromUtf8(typed));
            EXPECT_EQ(columnTexts(gridOf(workersList()), "fio"), expected) << typed;
        }
        return int(QDialog::Rejected);
    });
    workersList().showAsReferenceBook();
    EXPECT_EQ(log.count(), 0) << log.texts().join("; ").toStdString();
}

TEST_F(WorkersWindow, SearchBoxMovesWithArrowsAndSwallowsOtherEditingKeys) {
    seed();
    ModalScript script;
    script.on(&workersList(), [&] {
        data::Dataset* w = testdb::sharedData().workers;
        QTest::keyClick(searchBoxOf(workersList()), Qt::Key_Down);
        QTest::keyClick(searchBoxOf(workersList()), Qt::Key_Down);
        EXPECT_EQ(w->recNo(), 3);
        EXPECT_EQ(gridOf(workersList())->currentIndex().row(), 2);
        QTest::keyClick(searchBoxOf(workersList()), Qt::Key_Up);
        EXPECT_EQ(w->recNo(), 2);
        typeText(searchBoxOf(workersList()), "Пе");
        QTest::keyClick(searchBoxOf(workersList()), Qt::Key_Left);
        QTest::keyClick(searchBoxOf(workersList()), Qt::Key_Home);
        QTest::keyClick(searchBoxOf(workersList()), Qt::Key_Delete);
        typeText(searchBoxOf(workersList()), "т");
        EXPECT_EQ(searchBoxOf(workersList())->text(), "Пет");
        QTest::keyClick(searchBoxOf(workersList()), Qt::Key_Backspace);
        EXPECT_EQ(searchBoxOf(workersList())->text(), "Пе");
        EXPECT_EQ(columnTexts(gridOf(workersList()), "fio"), QStringList{"Петров А.А."});
        return int(QDialog::Rejected);
    });
    entryEditor().pickWorker();
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
    script.on(&workerEditor(), [&] {
        EXPECT_EQ(workerNameBox()->text(), "");
        EXPECT_EQ(workerDepartmentList()->currentText(), "");
        EXPECT_EQ(workerDepartmentList()->maxVisibleItems(), 10);
        workerNameBox()->setText("   ");
        workerEditor().save();
        stayedOpen = workerEditor().isVisible();
        workerNameBox()->setText("  Абрамов О'Нил  ");
        workerDepartmentList()->setCurrentIndex(workerDepartmentList()->findText("Цех 2"));
        workerEditor().save();
        return int(QDialog::Rejected);
    });
    script.on(&workersList(), [] {
        testdb::sharedData().workers->setRecNo(3);
        workersList().addRow();
        EXPECT_EQ(testdb::sharedData().workers->recNo(), 1);
        return int(QDialog::Rejected);
    });
    workersList().showAsReferenceBook();
    EXPECT_EQ(log.texts(), QStringList{"ФИО нужно заполнить!"});
    EXPECT_EQ(log.messages()[0].caption, "Ошибка");
    EXPECT_TRUE(stayedOpen);
    EXPECT_EQ(workerDepartmentList()->itemText(0), "Цех 1");
    EXPECT_EQ(testdb::scalar("select s_staffpos_hl from accounts_dep.person where fio = "
                             "'Абрамов О''Нил'")
                  .toString(),
              "Цех 2");

    // The department chosen last stays chosen when the editor opens next.
    script.on(&workerEditor(), [] {
        EXPECT_EQ(workerDepartmentList()->currentText(), "Цех 2");
        return int(QDialog::Rejected);
    });
    script.on(&workersList(), [] {
        workersList().addRow();
        return int(QDialog::Rejected);
    });
    workersList().showAsReferenceBook();
}

TEST_F(WorkersWindow, HostileNameIsStoredVerbatim) {
    const QString hostile = "x'); drop table accounts_dep.smena; --";
    ModalScript script;
    script.on(&workerEditor(), [&] {
        workerNameBox()->setText(hostile);
        workerEditor().save();
        return int(QDialog::Rejected);
    });
    script.on(&workersList(), [] {
        workersList().addRow();
        return int(QDialog::Rejected);
    });
    workersList().showAsReferenceBook();
    EXPECT_EQ(storedWorkers(), QStringList{hostile + "|"});
    EXPECT_EQ(testdb::scalar("select count(*) from accounts_dep.smena").toInt(), 0);
}

// Text the driver would refuse in English, or store as another character, is refused in Russian
// before anything is written; so is a name longer than its column.
TEST_F(WorkersWindow, NamesWithControlOrBrokenCharactersOrTooLongAreRefused) {
    const struct {
        QString name;
        QString refusal;
    } cases[] = {
        {QString("Иванов") + QChar(0) + "И.",
         "Текст содержит управляющие или повреждённые символы. Исправьте его."},
        {QString("Иванов") + QChar(0xDC00),
         "Текст содержит управляющие или повреждённые символы. Исправьте его."},
        {QString(10000, QChar(u'Ж')), "Текст слишком длинный: допускается не более 254 символов."},
    };
    ModalScript script;
    for (const auto& c : cases) {
        MessageLog log;
        bool stayedOpen = false;
        script.on(&workerEditor(), [&] {
            workerNameBox()->setText(c.name);
            workerEditor().save();
            stayedOpen = workerEditor().isVisible();
            return int(QDialog::Rejected);
        });
        script.on(&workersList(), [] {
            workersList().addRow();
            return int(QDialog::Rejected);
        });
        workersList().showAsReferenceBook();
        EXPECT_EQ(log.texts(), QStringList{c.refusal});
        EXPECT_TRUE(stayedOpen);
    }
    EXPECT_EQ(storedWorkers(), QStringList());
}

TEST_F(WorkersWindow, ChangeEditsTheCurrentWorkerAndComesBackToItsRowNumber) {
    seed();
    testdb::exec("update accounts_dep.person set fio = '  Ивлев П.С. ' where fio = 'Ивлев П.С.'");
    ModalScript script;
    script.on(&workerEditor(), [] {
        EXPECT_EQ(workerEditor().windowTitle(), "Изменение данных работника");
        EXPECT_EQ(workerNameBox()->text(), "Ивлев П.С.");
        EXPECT_EQ(workerEditor().personId(), 2);
        workerNameBox()->setText("Яковлев П.С.");
        workerEditor().save();
        return int(QDialog::Rejected);
    });
    int rowAfter = 0;
    script.on(&workersList(), [&] {
        testdb::sharedData().workers->locate("id", 2);
        const int row = testdb::sharedData().workers->recNo();
        workersList().changeOrChoose();
        rowAfter = testdb::sharedData().workers->recNo();
        EXPECT_EQ(rowAfter, row);
        return int(QDialog::Rejected);
    });
    workersList().showAsReferenceBook();
    EXPECT_EQ(storedWorkers(), QStringList({"Иванов И.И.|Цех 1", "Яковлев П.С.|", "О'Брайен Д.|",
                                            "Петров А.А.|Цех 1"}));
}

TEST_F(WorkersWindow, PickerHandsBackTrimmedNameAndIdAndCancelKeepsTheEntry) {
    seed();
    testdb::exec("update accounts_dep.person set fio = 'Петров А.А.   ' where id = 4");
    entryEditor().takeWorker({77, "прежний"});
    ModalScript script;
    script.on(&workersList(), [] {
        QTest::keyClick(control<QPushButton>(workersList(), "Button4"), Qt::Key_Escape);
        return int(QDialog::Rejected);
    });
    entryEditor().pickWorker();
    EXPECT_EQ(entryWorkerBox()->text(), "прежний");
    EXPECT_EQ(entryEditor().chosen().workerId, 77);

    script.on(&workersList(), [] {
        typeText(searchBoxOf(workersList()), "Пет");
        workersList().changeOrChoose();
        return int(QDialog::Rejected);
    });
    entryEditor().pickWorker();
    EXPECT_EQ(entryWorkerBox()->text(), "Петров А.А.");
    EXPECT_EQ(entryEditor().chosen().workerId, 4);
    EXPECT_FALSE(testdb::sharedData().workers->isOpen());

    // An empty list closes and leaves the entry editor alone.
    testdb::reset();
    int result = -1;
    script.on(&workersList(), [&] {
        workersList().changeOrChoose();
        result = workersList().isVisible() ? 0 : 1;
        return int(QDialog::Rejected);
    });
    entryEditor().pickWorker();
    EXPECT_EQ(result, 1);
    EXPECT_EQ(entryEditor().chosen().workerId, 4);
}

TEST_F(WorkersWindow, WheelMovesTheFocusedLookupList) {
    testdb::exec("insert into adm_role.roles(id, s_caption) values (1, 'А'), (2, 'Б'), (3, 'В')");
    ModalScript script;
    script.on(&workerEditor(), [] {
        workerEditor().activateWindow();
        workerRoleList()->setFocus();
        workerRoleList()->setCurrentIndex(0);
        workerEditor().moveFocusedLookup(true);
        EXPECT_EQ(workerRoleList()->currentText(), "Б");
        QWheelEvent up(QPointF(5, 5), QPointF(5, 5), QPoint(), QPoint(0, 120), Qt::NoButton,
                       Qt::NoModifier, Qt::NoScrollPhase, false);
        QApplication::sendEvent(&workerEditor(), &up);
        EXPECT_EQ(workerRoleList()->currentText(), "А");
        EXPECT_EQ(control<QComboBox>(workerEditor(), "LCB_staffpos")->currentIndex(), -1);
        return int(QDialog::Rejected);
    });
    script.on(&workersList(), [] {
        workersList().addRow();
        return int(QDialog::Rejected);
    });
    workersList().showAsReferenceBook();
}

}  // namespace
