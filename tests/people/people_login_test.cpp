#include "../support/app_controls.h"
#include "../support/app_windows.h"
#include "../support/message_log.h"
#include "../support/role_controls.h"
#include "../support/test_database.h"
#include "../support/widget_driving.h"
#include "app/build_stamp.h"
#include "data/connection.h"
#include "entry/entry_save.h"
#include "people/password_change_dialog.h"
#include "people/people_window.h"
#include "people/person_editor.h"
#include "secured_plant.h"
#include "ui/clock.h"
#include "ui/dialogs.h"
#include "ui/modal.h"

#include <QAction>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QSqlQuery>
#include <QTableView>

using namespace testing_support;
using securedplant::Person;

namespace {

// Who the client's own session is on the server.
QString sessionUser() {
    QSqlQuery q(data::defaultDb());
    return q.exec("select session_user") && q.next() ? q.value(0).toString() : QString();
}

void typePasswords(QWidget& w, const QString& password, const QString& repeated) {
    control<QLineEdit>(w, "newPasswordEdit")->setText(password);
    control<QLineEdit>(w, "repeatPasswordEdit")->setText(repeated);
}

// Each case starts a fresh client on the secured database: a login lasts for the process.
class SecuredLogin : public ::testing::Test {
protected:
    void SetUp() override {
        securedplant::secure();
        testdb::stopApp();
        testdb::startApp();
    }
    void TearDown() override {
        ui::clearModalHook();
        ui::clearToday();
    }
    static void typeLogin(const QString& user, const QString& password) {
        loginUserBox()->setText(user);
        loginWordBox()->setText(password);
    }
};

TEST_F(SecuredLogin, LoginWindowAsksForTheUserAboveTheWord) {
    QLineEdit* user = loginUserBox();
    QLineEdit* word = loginWordBox();
    ASSERT_TRUE(user->isVisibleTo(&loginDialog()));
    EXPECT_LT(user->geometry().top(), word->geometry().top());
    EXPECT_EQ(word->echoMode(), QLineEdit::Password);
    QStringList captions;
    for (const QLabel* l : loginDialog().findChildren<QLabel*>())
        captions << l->text();
    EXPECT_TRUE(captions.contains("Пользователь")) << captions.join('|').toStdString();
    // Until a person logs in, the session is the built-in login's.
    EXPECT_EQ(sessionUser(), "sys");
}

TEST_F(SecuredLogin, EachJobNarrowsTheWindowsAsItsRole) {
    const struct {
        const char* job;
        QStringList off;
    } cases[] = {
        {"reviewer", reviewerDisabled()},
        {"foreman", foremanDisabled()},
        {"storekeeper", storekeeperDisabled()},
        {"administrator", {}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.job);
        SetUp();
        const Person& p = securedplant::personOf(c.job);
        MessageLog log;
        int shown = 0;
        ui::setModalHook([&](QWidget* w) {
            ++shown;
            EXPECT_EQ(w, &journalWindow());
            EXPECT_EQ(disabledControls(), c.off);
            EXPECT_EQ(journalWindow().windowTitle(), "Табель — " + p.fullName);
            EXPECT_EQ(sessionUser(), p.login);
            EXPECT_TRUE(control<QMenu>(journalWindow(), "accessMenu")->menuAction()->isVisible());
            EXPECT_TRUE(control<QAction>(journalWindow(), "changePasswordMenuItem")->isVisible());
            EXPECT_EQ(peopleMenuItem()->isVisible(), p.job == "administrator");
            return int(QDialog::Rejected);
        });
        // The name with blanks around it, as typed; the password exactly as it is.
        typeLogin(" " + p.login + " ", p.password);
        loginDialog().logIn();
        EXPECT_EQ(shown, 1);
        EXPECT_EQ(log.count(), 0) << log.texts().join('|').toStdString();
        for (int shift = 1; shift <= 4; ++shift)
            EXPECT_EQ(testdb::sharedData().journalOf(shift)->param("ok").toString(), "ta");
        EXPECT_FALSE(loginDialog().isVisible());
    }
}

TEST_F(SecuredLogin, WrongNamesAndPasswordsAreRefused) {
    const Person& foreman = securedplant::personOf("foreman");
    static const Person disabled =
        securedplant::addPerson(QStringLiteral("disabled"), QStringLiteral("foreman"), false);
    securedplant::exec("select accounts_dep.set_person_enabled('" + disabled.login + "', false)");
    const struct {
        QString user;
        QString password;
    } cases[] = {
        {foreman.login, foreman.password + "x"},
        {foreman.login, ""},
        {foreman.login.toUpper(), foreman.password},  // login names are exact
        {"", foreman.password},
        {foreman.login + ";UID=dba", "dba"},  // the name cannot change the connection
        {securedplant::loginOf("nobody"), "x"},
        {"sys", "tavirok"},  // the built-in login is no person
        {"dba", "dba"},      // nor is the server's administrator
        {disabled.login, disabled.password},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.user.toStdString() + " / " + c.password.toStdString());
        MessageLog log;
        int shown = 0;
        ui::setModalHook([&](QWidget*) { return ++shown, int(QDialog::Rejected); });
        typeLogin(c.user, c.password);
        loginDialog().logIn();
        EXPECT_EQ(shown, 0);
        const QList<ui::Message> said = log.messages();
        ASSERT_EQ(said.size(), 1) << log.texts().join('|').toStdString();
        EXPECT_EQ(said[0].text, "Введены неверные данные.");
        EXPECT_EQ(said[0].caption, "Ошибка");
        EXPECT_EQ(loginWordBox()->text(), c.password);
        // The session went back to the built-in login: the version check goes on.
        EXPECT_EQ(sessionUser(), "sys");
        EXPECT_TRUE(disabledControls().isEmpty());
    }
    // After all of them the right password still logs in.
    int shown = 0;
    ui::setModalHook([&](QWidget*) { return ++shown, int(QDialog::Rejected); });
    typeLogin(foreman.login, foreman.password);
    loginDialog().logIn();
    EXPECT_EQ(shown, 1);
}

TEST_F(SecuredLogin, FirstLoginChangesTheGivenPasswordBeforeTheWork) {
    const Person p =
        securedplant::addPerson(QStringLiteral("newcomer"), QStringLiteral("storekeeper"));
    const QString chosen = QStringLiteral("Мой пароль}; 5");
    // Cancelled: the login does not go on.
    {
        ModalScript script;
        typeLogin(p.login, p.password);
        loginDialog().logIn();
        EXPECT_EQ(script.shown, QStringList{"PasswordChangeDialog: Смена пароля"});
        EXPECT_EQ(sessionUser(), "sys");
        EXPECT_TRUE(loginDialog().isVisible());
    }
    MessageLog log;
    ModalScript script;
    script.on(&passwordDialog(), [&] {
        EXPECT_FALSE(control<QLabel>(passwordDialog(), "passwordNoteLabel")->text().isEmpty());
        typePasswords(passwordDialog(), chosen, chosen + "6");
        changePasswordButton()->click();
        EXPECT_EQ(log.texts(), QStringList{"Пароли не совпадают."});
        EXPECT_TRUE(passwordDialog().isVisible());
        typePasswords(passwordDialog(), chosen, chosen);
        changePasswordButton()->click();
        return int(QDialog::Rejected);  // closed itself with its own result
    });
    script.on(&journalWindow(), [&] {
        EXPECT_EQ(disabledControls(), storekeeperDisabled());
        return int(QDialog::Rejected);
    });
    typeLogin(p.login, p.password);
    loginDialog().logIn();
    EXPECT_EQ(script.shown,
              (QStringList{"PasswordChangeDialog: Смена пароля", "Form1: Табель — " + p.fullName}));
    EXPECT_EQ(securedplant::scalar("select must_change_password::text from "
                                   "accounts_dep.plant_person where login = '" +
                                   p.login + "'")
                  .toString(),
              "false");
    // The chosen password is the one that logs in from now on, the given one no longer.
    SetUp();
    {
        MessageLog refused;
        ModalScript none;
        typeLogin(p.login, p.password);
        loginDialog().logIn();
        EXPECT_EQ(refused.texts(), QStringList{"Введены неверные данные."});
    }
    ModalScript again;
    typeLogin(p.login, chosen);
    loginDialog().logIn();
    EXPECT_EQ(again.shown, QStringList{"Form1: Табель — " + p.fullName});
}

TEST_F(SecuredLogin, VersionRecordIsRaisedByThePersonNotTheBuiltInLogin) {
    securedplant::exec("delete from accounts_dep.ver");
    MessageLog log;
    loginDialog().windowActivated();  // the version check as the built-in login: it only reads
    EXPECT_EQ(log.count(), 0) << log.texts().join('|').toStdString();
    EXPECT_EQ(securedplant::scalar("select count(*) from accounts_dep.ver").toInt(), 0);
    const Person& reviewer = securedplant::personOf("reviewer");
    ModalScript script;
    typeLogin(reviewer.login, reviewer.password);
    loginDialog().logIn();
    const BuildStamp program = programBuildStamp();
    EXPECT_EQ(securedplant::rows("select d, t from accounts_dep.ver"),
              (QList<QVariantList>{{program.date, program.time}}));
}

TEST_F(SecuredLogin, ForemansEntryIsRecordedAsTheForeman) {
    securedplant::exec(
        "insert into accounts_dep.person(fio) values ('Работников Р.Р.');"
        "insert into cmn_gds_and_srv.gds_and_srv(s_caption, id_msm_bs) values ('М-people', 6);"
        "insert into accounts_dep.vid_oper(vid) values ('Сборка people');");
    securedplant::exec(
        "insert into accounts_dep.oper(vid, naimen, i_id) values ((select max(id) from "
        "accounts_dep.vid_oper), 0, (select max(id) from cmn_gds_and_srv.gds_and_srv))");
    const int worker = securedplant::scalar("select max(id) from accounts_dep.person").toInt();
    const int product =
        securedplant::scalar("select max(id) from cmn_gds_and_srv.gds_and_srv").toInt();
    const int operation = securedplant::scalar("select max(id) from accounts_dep.oper").toInt();
    const Person& foreman = securedplant::personOf("foreman");
    data::Verdict verdict;
    ui::setModalHook([&](QWidget*) {
        entry::EntryValues v;
        v.workerId = worker;
        v.productId = product;
        v.operationId = operation;
        v.price = 10;
        v.quantity = "5";
        v.defects = "0";
        v.hours = "8";
        v.date = QDate(2026, 3, 2);
        v.inputDate = v.date;
        verdict = entry::saveEntry(testdb::sharedData(), v);
        return int(QDialog::Rejected);
    });
    typeLogin(foreman.login, foreman.password);
    loginDialog().logIn();
    ASSERT_TRUE(verdict.saved()) << verdict.message.toStdString();
    const auto recorded = securedplant::rows(
        "select db_user from accounts_dep.change_log where table_name = 'smena' and row_id = "
        "(select max(id) from accounts_dep.smena where w_id = " +
        QString::number(worker) + ")");
    ASSERT_FALSE(recorded.isEmpty());
    for (const QVariantList& r : recorded)
        EXPECT_EQ(r[0].toString(), foreman.login);
}

TEST_F(SecuredLogin, PasswordChangesReachTheServerLogOnlyAsVerifiers) {
    securedplant::exec("alter database " + testdb::databaseName() + " set log_statement = 'all'");
    SetUp();  // a session that logs its statements
    const Person own =
        securedplant::addPerson(QStringLiteral("logged"), QStringLiteral("foreman"), false);
    const QString ownNew = QStringLiteral("своё-Новое-777");
    ModalScript script;
    script.on(&journalWindow(), [&] {
        control<QAction>(journalWindow(), "changePasswordMenuItem")->trigger();
        return int(QDialog::Rejected);
    });
    script.on(&passwordDialog(), [&] {
        EXPECT_TRUE(control<QLabel>(passwordDialog(), "passwordNoteLabel")->isHidden());
        typePasswords(passwordDialog(), ownNew, ownNew);
        changePasswordButton()->click();
        return int(QDialog::Rejected);
    });
    typeLogin(own.login, own.password);
    loginDialog().logIn();
    EXPECT_EQ(script.shown, (QStringList{"Form1: Табель — " + own.fullName,
                                         "PasswordChangeDialog: Смена пароля"}));
    // A reconnect later uses the new password.
    EXPECT_TRUE(data::defaultDb().databaseName().contains("PWD={" + ownNew + "}"));
    securedplant::exec("alter database " + testdb::databaseName() + " reset log_statement");

    const QString log = securedplant::serverLog();
    // The statement and its parameter, a verifier.
    const qsizetype at = log.indexOf("select accounts_dep.change_own_password($1)");
    ASSERT_GE(at, 0) << "the change is not in the log";
    EXPECT_EQ(log.indexOf("parameters: $1 = 'SCRAM-SHA-256$4096:", at) - at,
              log.indexOf("parameters: $1 = ", at) - at);
    EXPECT_FALSE(log.contains(ownNew));
    EXPECT_FALSE(log.contains(own.password));
}

}  // namespace

namespace {

// A shift of three entries written through a foreman's own login, then all three accepted at
// once through a storekeeper's: the grants of the two jobs suffice and the history names each.
TEST_F(SecuredLogin, AShiftByAForemanIsAcceptedAtOnceByAStorekeeper) {
    const QDate day(2026, 3, 4);  // a day no other case writes
    ui::setToday(day);
    securedplant::exec(
        "insert into accounts_dep.person(fio) values ('Первый П.П.'), ('Второй В.В.'), "
        "('Третий Т.Т.');"
        "insert into cmn_gds_and_srv.gds_and_srv(s_caption, id_msm_bs) values ('М-shift', 6);"
        "insert into accounts_dep.vid_oper(vid) values ('Сборка shift');");
    securedplant::exec(
        "insert into accounts_dep.oper(vid, naimen, i_id) values ((select max(id) from "
        "accounts_dep.vid_oper), 0, (select max(id) from cmn_gds_and_srv.gds_and_srv))");
    const auto workers = securedplant::rows(
        "select id from accounts_dep.person where fio in ('Первый П.П.', 'Второй В.В.', "
        "'Третий Т.Т.') order by id");
    const int product =
        securedplant::scalar("select max(id) from cmn_gds_and_srv.gds_and_srv").toInt();
    const int operation = securedplant::scalar("select max(id) from accounts_dep.oper").toInt();
    std::vector<entry::EntryValues> shift;
    for (const QVariantList& w : workers) {
        entry::EntryValues v;
        v.workerId = w[0].toInt();
        v.productId = product;
        v.operationId = operation;
        v.price = 10;
        v.quantity = "5";
        v.defects = "0";
        v.hours = "8";
        v.date = day;
        v.inputDate = day;
        shift.push_back(v);
    }
    ASSERT_EQ(shift.size(), 3u);

    entry::ShiftVerdict written;
    ui::setModalHook([&](QWidget*) {
        written = entry::saveShift(testdb::sharedData(), shift);
        return int(QDialog::Rejected);
    });
    typeLogin(securedplant::personOf("foreman").login, securedplant::personOf("foreman").password);
    loginDialog().logIn();
    ASSERT_TRUE(written.saved);

    testdb::stopApp();
    testdb::startApp();
    MessageLog log;
    ui::setModalHook([&](QWidget* w) {
        if (w == &journalWindow()) {
            journalWindow().windowActivated();
            journalGrid()->selectAll();
            journalWindow().markSelected(true);
        }
        return int(QDialog::Rejected);
    });
    typeLogin(securedplant::personOf("storekeeper").login,
              securedplant::personOf("storekeeper").password);
    loginDialog().logIn();
    EXPECT_EQ(log.count(), 0) << log.texts().join("|").toStdString();
    EXPECT_EQ(securedplant::scalar(
                  "select count(*) from accounts_dep.smena where ok = 'ok' and data = '2026-03-04'")
                  .toInt(),
              3);
    const auto who = securedplant::rows(
        "select action, db_user, count(*) from accounts_dep.change_log where table_name = 'smena' "
        "and row_id in (select id from accounts_dep.smena where data = '2026-03-04') group by 1, 2 "
        "order by 1");
    ASSERT_EQ(who.size(), 2);
    EXPECT_EQ(who[0][0].toString(), "insert");
    EXPECT_EQ(who[0][1].toString(), securedplant::personOf("foreman").login);
    EXPECT_EQ(who[0][2].toInt(), 3);
    EXPECT_EQ(who[1][0].toString(), "update");
    EXPECT_EQ(who[1][1].toString(), securedplant::personOf("storekeeper").login);
    EXPECT_EQ(who[1][2].toInt(), 3);
}

}  // namespace
