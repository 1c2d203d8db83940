#include "../support/message_log.h"
#include "../support/test_database.h"
#include "../support/widget_driving.h"
#include "data/data_module.h"
#include "refbooks/operation_editor.h"
#include "refbooks/operation_kind_editor.h"
#include "refbooks/operation_kinds_list.h"

#include <QLineEdit>
#include <QPushButton>
#include <QTest>

namespace {

using testing_support::columnTexts;
using testing_support::MessageLog;
using testing_support::ModalScript;
using testing_support::typeText;

class KindsWindow : public testdb::AppTest {
protected:
    void SetUp() override {
        testdb::AppTest::SetUp();
        Form8->Edit1->clear();
    }
    static void seed() {
        testdb::exec(
            "insert into accounts_dep.vid_oper(vid) values ('Покраска'), ('КРАСКА'), "
            "('Резка')");
    }
    static QStringList storedKinds() {
        QStringList out;
        for (const auto& r : testdb::rows("select id, vid from accounts_dep.vid_oper order by id"))
            out << r[0].toString() + "|" + r[1].toString();
        return out;
    }
    // Saves name in the editor, opened for adding or for changing the kind named changed.
    static void saveThroughEditor(const QString& changed, const QString& name,
                                  ModalScript& script) {
        script.on(Form9, [=] {
            Form9->Edit1->setText(name);
            Form9->Button1Click();
            return int(QDialog::Rejected);
        });
        script.on(Form8, [=] {
            if (changed.isEmpty()) {
                Form8->Button1Click();
            } else {
                DataModule6->Vid_oper->locate("vid", changed);
                Form8->Button2Click();
            }
            return int(QDialog::Rejected);
        });
        Form8->ShowAsReferenceBook();
    }
};

TEST_F(KindsWindow, ModesSetButtonsAndEnterFollowsTheDefaultButton) {
    seed();
    ModalScript script;
    QList<bool> seen;
    QString button2;
    script.on(Form8, [&] {
        seen = {Form8->Button1->isVisible(), Form8->Button3->isVisible(), Form8->Edit1->isVisible(),
                Form8->Button2->isDefault()};
        button2 = Form8->Button2->text();
        if (Form8->Tag == 1)
            typeText(Form8->Edit1, "Ре");
        QTest::keyClick(Form8->DBGrid1, Qt::Key_Return);
        return int(QDialog::Rejected);
    });
    Form8->ShowAsPicker();
    EXPECT_EQ(seen, QList<bool>({false, false, true, true}));
    EXPECT_EQ(button2, "Выбрать");
    EXPECT_EQ(Form10->Edit2->text(), "Резка");  // Enter chose the filtered row
    EXPECT_FALSE(Form8->Button2->isDefault());
    EXPECT_FALSE(Form8->Edit1->isVisibleTo(Form8));

    script.shown.clear();
    Form8->ShowAsReferenceBook();
    EXPECT_EQ(Form8->Tag, 0);
    EXPECT_EQ(seen, QList<bool>({true, true, false, false}));
    EXPECT_EQ(button2, "Изменить");
    EXPECT_EQ(script.shown.last(), "Form9: Заведение нового вида операций");
    EXPECT_EQ(DataModule6->Vid_oper->isFiltered(), true);  // the picker's search stays
    EXPECT_FALSE(DataModule6->Vid_oper->isOpen());
}

TEST_F(KindsWindow, SearchInThePickerByPrefixWithArrows) {
    seed();
    MessageLog log;
    ModalScript script;
    script.on(Form8, [] {
        const std::pair<const char*, QStringList> cases[] = {
            {"кр", {"КРАСКА"}},
            {"П", {"Покраска"}},
            {"'", {}},
            {"", {"КРАСКА", "Покраска", "Резка"}},
        };
        for (const auto& [typed, expected] : cases) {
            Form8->Edit1->setText(QString::fromUtf8(typed));
            EXPECT_EQ(columnTexts(Form8->DBGrid1), expected) << typed;
        }
        QTest::keyClick(Form8->Edit1, Qt::Key_Down);
        QTest::keyClick(Form8->Edit1, Qt::Key_Down);
        EXPECT_EQ(DataModule6->Vid_oper->text("vid"), "Резка");
        QTest::keyClick(Form8->Edit1, Qt::Key_Up);
        EXPECT_EQ(DataModule6->Vid_oper->text("vid"), "Покраска");
        return int(QDialog::Rejected);
    });
    Form8->ShowAsPicker();
    EXPECT_EQ(log.count(), 0);
}

TEST_F(KindsWindow, EditorRefusesEmptyAndDuplicateNamesIgnoringCaseAndBlanks) {
    seed();
    MessageLog log;
    ModalScript script;
    for (const char* name : {"   ", "краска", "  резка ", "ПОКРАСКА"})
        saveThroughEditor({}, QString::fromUtf8(name), script);
    // Changing a kind to another kind's name is refused as well.
    saveThroughEditor("Резка", "краска", script);
    EXPECT_EQ(log.texts(),
              QStringList({"Все поля должны быть заполнены!", "Такая операция уже заведена!",
                           "Такая операция уже заведена!", "Такая операция уже заведена!",
                           "Такая операция уже заведена!"}));
    EXPECT_EQ(storedKinds(), QStringList({"1|Покраска", "2|КРАСКА", "3|Резка"}));
}

TEST_F(KindsWindow, AddAndChangePostTrimmedNamesVerbatim) {
    seed();
    MessageLog log;
    ModalScript script;
    saveThroughEditor({}, "  Гибка О'Нила  ", script);
    saveThroughEditor({}, "x'); drop table accounts_dep.smena; --", script);
    saveThroughEditor("Резка", " резка ", script);  // its own name in other letters
    EXPECT_EQ(log.count(), 0) << log.texts().join("; ").toStdString();
    EXPECT_EQ(storedKinds(), QStringList({"1|Покраска", "2|КРАСКА", "3|резка", "4|Гибка О'Нила",
                                          "5|x'); drop table accounts_dep.smena; --"}));
    EXPECT_EQ(testdb::scalar("select count(*) from accounts_dep.smena").toInt(), 0);

    // After a save the list stands on its first row, the changed kind in its place.
    script.on(Form9, [] {
        EXPECT_EQ(Form9->windowTitle(), "Изменение данных вида операции");
        EXPECT_EQ(Form9->Edit1->text(), "резка");
        Form9->Edit1->setText("Агрегатная резка");
        Form9->Button1Click();
        return int(QDialog::Rejected);
    });
    script.on(Form8, [] {
        DataModule6->Vid_oper->locate("id", 3);
        Form8->DBGrid1DblClick();
        EXPECT_EQ(DataModule6->Vid_oper->recNo(), 1);
        EXPECT_EQ(DataModule6->Vid_oper->text("vid"), "Агрегатная резка");
        return int(QDialog::Rejected);
    });
    Form8->ShowAsReferenceBook();
}

TEST_F(KindsWindow, DeleteAsksThenDeletesAndEmptyListActionsDoNothing) {
    seed();
    MessageLog log;
    log.answerNext(ui::Answer::No);
    ModalScript script;
    script.on(Form8, [] {
        DataModule6->Vid_oper->locate("vid", "Резка");
        Form8->Button3Click();
        Form8->Button3Click();
        return int(QDialog::Rejected);
    });
    Form8->ShowAsReferenceBook();
    ASSERT_EQ(log.count(), 2);
    EXPECT_EQ(log.messages()[0].text, "Удалить вид операции?");
    EXPECT_EQ(log.messages()[0].caption, "Удаление");
    EXPECT_EQ(log.messages()[0].buttons, ui::Buttons::YesNo);
    EXPECT_EQ(storedKinds(), QStringList({"1|Покраска", "2|КРАСКА"}));

    testdb::reset();
    log.clear();
    script.shown.clear();
    script.on(Form8, [] {
        Form8->Button2Click();
        Form8->Button3Click();
        return int(QDialog::Rejected);
    });
    Form8->ShowAsReferenceBook();
    EXPECT_EQ(log.count(), 0);
    EXPECT_EQ(script.shown, QStringList{"Form8: Виды операций"});
}

TEST_F(KindsWindow, PickerHandsBackTrimmedNameAndIdAndAnEmptyListGivesNothing) {
    seed();
    testdb::exec("update accounts_dep.vid_oper set vid = 'Резка  ' where id = 3");
    ModalScript script;
    script.on(Form8, [] {
        DataModule6->Vid_oper->locate("id", 3);
        Form8->DBGrid1DblClick();
        return int(QDialog::Rejected);
    });
    Form8->ShowAsPicker();
    EXPECT_EQ(Form10->Edit2->text(), "Резка");
    EXPECT_EQ(Form10->vid_id, 3);

    testdb::reset();
    Form8->ShowAsPicker();
    EXPECT_EQ(Form10->Edit2->text(), "");
    EXPECT_EQ(Form10->vid_id, 0);
}

}  // namespace
