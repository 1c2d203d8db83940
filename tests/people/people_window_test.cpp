#include "people/people_window.h"
#include "../support/app_controls.h"
#include "../support/app_windows.h"
#include "../support/message_log.h"
#include "../support/test_database.h"
#include "../support/widget_driving.h"
#include "people/password_change_dialog.h"
#include "people/person_editor.h"
#include "secured_plant.h"
#include "ui/modal.h"

#include <QAction>
#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QTableView>

using namespace testing_support;
using securedplant::Person;

namespace {

static QPushButton* button(QWidget& w, const char* name) {
    return control<QPushButton>(w, name);
}

static QString personRow(const QString& login) {
    const auto r = securedplant::rows(
        "select p.job || '|' || p.enabled::text || '|' || p.must_change_password::text || '|' || "
        "r.rolcanlogin::text || '|' || (select string_agg(g.rolname, ',') from pg_auth_members m "
        "join pg_roles g on g.oid = m.roleid where m.member = r.oid) "
        "from accounts_dep.plant_person p join pg_roles r on r.rolname = p.login where p.login = "
        "'" +
        login + "'");
    return r.isEmpty() ? QString() : r[0][0].toString();
}

class PeopleWindowTest : public ::testing::Test {
protected:
    void SetUp() override {
        securedplant::secure();
        testdb::stopApp();
        testdb::startApp();
    }
    void TearDown() override { ui::clearModalHook(); }

    // Logs in as the person and runs work inside the journal.
    static void inJournalAs(const Person& p, ModalScript& script, std::function<void()> work) {
        script.on(&journalWindow(), [work] {
            work();
            return int(QDialog::Rejected);
        });
        loginUserBox()->setText(p.login);
        loginWordBox()->setText(p.password);
        loginDialog().logIn();
    }
};

TEST_F(PeopleWindowTest, AdministratorAddsChangesResetsAndDisablesAPerson) {
    const Person& admin = securedplant::personOf("administrator");
    const QString login = securedplant::loginOf("added");
    const QString job = testdb::databaseName() + "_";
    MessageLog log;
    ModalScript script;
    int editorShowings = 0;
    script.on(&personEditor(), [&] {
        ++editorShowings;
        people::PersonEditor& e = personEditor();
        if (editorShowings == 1) {  // "Добавить"
            EXPECT_EQ(e.windowTitle(), "Новый пользователь");
            button(e, "Button1")->click();
            EXPECT_EQ(log.texts().value(0), "Укажите имя входа.");
            control<QLineEdit>(e, "loginEdit")->setText(login);
            control<QLineEdit>(e, "fullNameEdit")->setText("  Добавленный Андрей Андреевич ");
            QComboBox* jobs = control<QComboBox>(e, "jobBox");
            EXPECT_EQ(jobs->itemText(0), "Бригадир");
            jobs->setCurrentIndex(jobs->findData("storekeeper"));
            control<QLineEdit>(e, "newPasswordEdit")->setText("первый 1");
            control<QLineEdit>(e, "repeatPasswordEdit")->setText("первый 1");
            button(e, "Button1")->click();
        } else {  // "Должность"
            EXPECT_EQ(e.windowTitle(), "Должность");
            EXPECT_EQ(control<QLineEdit>(e, "loginEdit")->text(), login);
            EXPECT_TRUE(control<QLineEdit>(e, "loginEdit")->isReadOnly());
            EXPECT_FALSE(control<QLineEdit>(e, "newPasswordEdit")->isVisibleTo(&e));
            QComboBox* jobs = control<QComboBox>(e, "jobBox");
            EXPECT_EQ(jobs->currentData().toString(), "storekeeper");
            jobs->setCurrentIndex(jobs->findData("reviewer"));
            button(e, "Button1")->click();
        }
        return int(QDialog::Rejected);
    });
    script.on(&passwordDialog(), [&] {
        control<QLineEdit>(passwordDialog(), "newPasswordEdit")->setText("сброшен 2");
        control<QLineEdit>(passwordDialog(), "repeatPasswordEdit")->setText("сброшен 2");
        button(passwordDialog(), "changePasswordButton")->click();
        return int(QDialog::Rejected);
    });
    QStringList states;
    script.on(&peopleWindow(), [&] {
        people::PeopleWindow& w = peopleWindow();
        const QTableView* grid = control<QTableView>(w, "peopleGrid");
        EXPECT_TRUE(columnTexts(grid, "login").contains(admin.login));
        EXPECT_TRUE(columnTexts(grid, "full_name").contains(admin.fullName));
        EXPECT_TRUE(columnTexts(grid, "job").contains("Администратор"));
        EXPECT_TRUE(columnTexts(grid, "enabled").contains("Вход разрешён"));

        button(w, "addPersonButton")->click();
        EXPECT_EQ(w.people().text("login"), login);  // the new person is the current row
        EXPECT_EQ(w.people().text("full_name"), "Добавленный Андрей Андреевич");
        states << personRow(login);
        button(w, "changeJobButton")->click();
        states << personRow(login);
        securedplant::exec(
            "update accounts_dep.plant_person set must_change_password = false "
            "where login = '" +
            login + "'");
        button(w, "resetPasswordButton")->click();
        states << personRow(login);
        EXPECT_EQ(button(w, "enableLoginButton")->text(), "Отключить вход");
        button(w, "enableLoginButton")->click();
        states << personRow(login);
        EXPECT_EQ(w.people().text("login"), login);
        EXPECT_EQ(button(w, "enableLoginButton")->text(), "Включить вход");
        button(w, "enableLoginButton")->click();
        states << personRow(login);
        return int(QDialog::Rejected);
    });
    inJournalAs(admin, script, [] { peopleMenuItem()->trigger(); });
    EXPECT_EQ(log.texts(), QStringList{"Укажите имя входа."});
    EXPECT_EQ(states, (QStringList{"storekeeper|true|true|true|" + job + "storekeeper",
                                   "reviewer|true|true|true|" + job + "reviewer",
                                   "reviewer|true|true|true|" + job + "reviewer",
                                   "reviewer|false|true|false|" + job + "reviewer",
                                   "reviewer|true|true|true|" + job + "reviewer"}));
    // The password was the reset one, and it must be changed at the next login.
    SetUp();
    ModalScript next;
    loginUserBox()->setText(login);
    loginWordBox()->setText("сброшен 2");
    loginDialog().logIn();
    EXPECT_EQ(next.shown, QStringList{"PasswordChangeDialog: Смена пароля"});
}

TEST_F(PeopleWindowTest, ServersRefusalKeepsTheEditorOpen) {
    const Person& admin = securedplant::personOf("administrator");
    const Person& foreman = securedplant::personOf("foreman");
    MessageLog log;
    ModalScript script;
    bool stayedOpen = false;
    script.on(&personEditor(), [&] {
        people::PersonEditor& e = personEditor();
        control<QLineEdit>(e, "loginEdit")->setText(foreman.login);  // taken
        control<QLineEdit>(e, "fullNameEdit")->setText("Второй");
        control<QLineEdit>(e, "newPasswordEdit")->setText("x1");
        control<QLineEdit>(e, "repeatPasswordEdit")->setText("x1");
        button(e, "Button1")->click();
        stayedOpen = e.isVisible();
        return int(QDialog::Rejected);
    });
    script.on(&peopleWindow(), [&] {
        button(peopleWindow(), "addPersonButton")->click();
        return int(QDialog::Rejected);
    });
    inJournalAs(admin, script, [] { peopleMenuItem()->trigger(); });
    EXPECT_TRUE(stayedOpen);
    ASSERT_EQ(log.count(), 1);
    EXPECT_TRUE(log.messages()[0].text.contains("уже занято"))
        << log.messages()[0].text.toStdString();
    EXPECT_EQ(
        securedplant::scalar("select full_name from accounts_dep.plant_person where login = '" +
                             foreman.login + "'")
            .toString(),
        foreman.fullName);
}

TEST_F(PeopleWindowTest, OnlyTheAdministratorOpensIt) {
    ModalScript script;
    inJournalAs(securedplant::personOf("foreman"), script, [] { journalWindow().openPeople(); });
    EXPECT_EQ(script.shown.size(), 1);  // the journal alone
}

}  // namespace
