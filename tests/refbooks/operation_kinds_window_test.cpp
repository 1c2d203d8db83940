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
#include "../support/app_controls.h"
#include "../support/app_windows.h"

using namespace testing_support;

namespace {

class KindsWindow : public testdb::AppTest {
protected:
    void SetUp() override {
        testdb::AppTest::SetUp();
        searchBoxOf(kindsList())->clear();
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
        script.on(&kindEditor(), [=] {
            kindNameBox()->setText(name);
            kindEditor().save();
            return int(QDialog::Rejected);
        });
        script.on(&kindsList(), [=] {
            if (changed.isEmpty()) {
                kindsList().addRow();
            } else {
                testdb::sharedData().operationKinds->locate("vid", changed);
                kindsList().changeOrChoose();
            }
            return int(QDialog::Rejected);
        });
        kindsList().showAsReferenceBook();
    }
};

TEST_F(KindsWindow, ModesSetButtonsAndEnterFollowsTheDefaultButton) {
    seed();
    ModalScript script;
    QList<bool> seen;
    QString button2;
    script.on(&kindsList(), [&] {
        seen = {addButtonOf(kindsList())->isVisible(), deleteButtonOf(kindsList())->isVisible(),
                searchBoxOf(kindsList())->isVisible(), changeButtonOf(kindsList())->isDefault()};
        button2 = changeButtonOf(kindsList())->text();
        if (kindsList().mode() == refbooks::ReferenceList::Mode::Picker)
            typeText(searchBoxOf(kindsList()), "Ре");
        QTest::keyClick(gridOf(kindsList()), Qt::Key_Return);
        return int(QDialog::Rejected);
    });
    operationEditor().pickKind();
    EXPECT_EQ(seen, QList<bool>({false, false, true, true}));
    EXPECT_EQ(button2, "Выбрать");
    EXPECT_EQ(operationKindBox()->text(),
              "Резка");  // Enter chose the filtered row
    EXPECT_FALSE(changeButtonOf(kindsList())->isDefault());
    EXPECT_FALSE(searchBoxOf(kindsList())->isVisibleTo(&kindsList()));

    script.shown.clear();
    kindsList().showAsReferenceBook();
    EXPECT_EQ(kindsList().mode(), refbooks::ReferenceList::Mode::ReferenceBook);
    EXPECT_EQ(seen, QList<bool>({true, true, false, false}));
    EXPECT_EQ(button2, "Изменить");
    EXPECT_EQ(script.shown.last(), "Form9: Заведение нового вида операций");
    EXPECT_EQ(testdb::sharedData().operationKinds->isFiltered(),
              true);  // the picker's search stays
    EXPECT_FALSE(testdb::sharedData().operationKinds->isOpen());
}

TEST_F(KindsWindow, SearchInThePickerByPrefixWithArrows) {
    seed();
    MessageLog log;
    ModalScript script;
    script.on(&kindsList(), [] {
        const std::pair<const char*, QStringList> cases[] = {
            {"кр", {"КРАСКА"}},
            {"П", {"Покраска"}},
            {"'", {}},
            {"", {"КРАСКА", "Покраска", "Резка"}},
        };
        for (const auto& [typed, expected] : cases) {
            searchBoxOf(kindsList())->setText(QString::fromUtf8(typed));
            EXPECT_EQ(columnTexts(gridOf(kindsList()), "vid"), expected) << typed;
        }
        QTest::keyClick(searchBoxOf(kindsList()), Qt::Key_Down);
        QTest::keyClick(searchBoxOf(kindsList()), Qt::Key_Down);
        EXPECT_EQ(testdb::sharedData().operationKinds->text("vid"), "Резка");
        QTest::keyClick(searchBoxOf(kindsList()), Qt::Key_Up);
        EXPECT_EQ(testdb::sharedData().operationKinds->text("vid"), "Покраска");
        return int(QDialog::Rejected);
    });
    operationEditor().pickKind();
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

TEST_F(KindsWindow, NamesWithBrokenCharactersOrTooLongAreRefused) {
    const struct {
        QString name;
        QString refusal;
    } cases[] = {
        {QString("Покраска") + QChar(0xD83D),
         "Текст содержит управляющие или повреждённые символы. Исправьте его."},
        {QString(129, QChar(u'Ж')), "Текст слишком длинный: допускается не более 128 символов."},
    };
    ModalScript script;
    for (const auto& c : cases) {
        MessageLog log;
        saveThroughEditor({}, c.name, script);
        EXPECT_EQ(log.texts(), QStringList{c.refusal});
    }
    saveThroughEditor({}, QString(128, QChar(u'Ж')), script);  // as long as the column takes
    EXPECT_EQ(storedKinds(), QStringList{"1|" + QString(128, QChar(u'Ж'))});
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
    script.on(&kindEditor(), [] {
        EXPECT_EQ(kindEditor().windowTitle(), "Изменение данных вида операции");
        EXPECT_EQ(kindNameBox()->text(), "резка");
        kindNameBox()->setText("Агрегатная резка");
        kindEditor().save();
        return int(QDialog::Rejected);
    });
    script.on(&kindsList(), [] {
        testdb::sharedData().operationKinds->locate("id", 3);
        kindsList().changeOrChoose();
        EXPECT_EQ(testdb::sharedData().operationKinds->recNo(), 1);
        EXPECT_EQ(testdb::sharedData().operationKinds->text("vid"), "Агрегатная резка");
        return int(QDialog::Rejected);
    });
    kindsList().showAsReferenceBook();
}

TEST_F(KindsWindow, PickerHandsBackTrimmedNameAndIdAndAnEmptyListGivesNothing) {
    seed();
    testdb::exec("update accounts_dep.vid_oper set vid = 'Резка  ' where id = 3");
    ModalScript script;
    script.on(&kindsList(), [] {
        testdb::sharedData().operationKinds->locate("id", 3);
        kindsList().changeOrChoose();
        return int(QDialog::Rejected);
    });
    operationEditor().pickKind();
    EXPECT_EQ(operationKindBox()->text(), "Резка");
    EXPECT_EQ(operationEditor().kindId(), 3);

    testdb::reset();
    operationEditor().pickKind();
    EXPECT_EQ(operationKindBox()->text(), "");
    EXPECT_EQ(operationEditor().kindId(), 0);
}

}  // namespace
