#include "../support/app_controls.h"
#include "../support/app_windows.h"
#include "../support/test_database.h"
#include "../support/widget_driving.h"
#include "history/history_window.h"
#include "secured_plant.h"
#include "ui/modal.h"
#include "views/columns.h"

#include <QComboBox>
#include <QDialog>
#include <QLineEdit>
#include <QPushButton>
#include <QTableView>

#include <gtest/gtest.h>

using namespace testing_support;
using securedplant::Person;

namespace {

// Who made the shown journal rows of the test's worker (its own addition is the administrator's).
QStringList peopleShown(const history::HistoryWindow& w, const QString& worker) {
    const auto* grid = control<QTableView>(w, "historyGrid");
    const int person = views::columnOf(grid, "person");
    const int object = views::columnOf(grid, "object");
    const int table = views::columnOf(grid, "table_name");
    QStringList out;
    for (int r = 0; r < grid->model()->rowCount(); ++r)
        if (grid->model()->index(r, table).data().toString() == "smena" &&
            grid->model()->index(r, object).data().toString().contains(worker))
            out << grid->model()->index(r, person).data().toString();
    return out;
}

TEST(SecuredHistory, NamesWhoChangedAndNarrowsToOnePerson) {
    securedplant::secure();
    testdb::stopApp();
    testdb::startApp();
    securedplant::exec(
        "insert into accounts_dep.person(fio) values ('Историков И.И.');"
        "insert into cmn_gds_and_srv.gds_and_srv(s_caption, id_msm_bs) values ('М-history', 6);"
        "insert into accounts_dep.vid_oper(vid) values ('Сборка history');");
    securedplant::exec(
        "insert into accounts_dep.oper(vid, naimen, i_id) values ((select max(id) from "
        "accounts_dep.vid_oper), 0, (select max(id) from cmn_gds_and_srv.gds_and_srv))");
    const Person& foreman = securedplant::personOf("foreman");
    const Person& storekeeper = securedplant::personOf("storekeeper");
    const Person& reviewer = securedplant::personOf("reviewer");
    // The foreman's entry and the storekeeper's acceptance, each in the person's own session.
    securedplant::exec(
        "set session authorization " + foreman.login +
        "; insert into accounts_dep.smena(w_id, i_id, o_id, cena, kol_vo, brak, data, smena, "
        "time) values ((select max(id) from accounts_dep.person), (select max(id) from "
        "cmn_gds_and_srv.gds_and_srv), (select max(id) from accounts_dep.oper), 10, 5, 0, "
        "current_date, 1, 8); reset session authorization");
    securedplant::exec("set session authorization " + storekeeper.login +
                       "; update accounts_dep.smena set ok = 'ta' where w_id = (select max(id) "
                       "from accounts_dep.person); reset session authorization");

    QStringList everyone, foremanOnly, choices;
    bool personBoxShown = false;
    ui::setModalHook([&](QWidget* shown) {
        if (auto* history = qobject_cast<history::HistoryWindow*>(shown)) {
            auto* box = control<QComboBox>(*history, "historyPersonBox");
            personBoxShown = !box->isHidden();
            for (int i = 0; i < box->count(); ++i)
                choices << box->itemText(i);
            everyone = peopleShown(*history, "Историков");
            history->choosePerson(foreman.login);
            control<QPushButton>(*history, "historyShowButton")->click();
            foremanOnly = peopleShown(*history, "Историков");
            return int(QDialog::Rejected);
        }
        history::HistoryWindow w(testdb::sharedData());
        w.showPeriod();
        return int(QDialog::Rejected);
    });
    loginUserBox()->setText(reviewer.login);
    loginWordBox()->setText(reviewer.password);
    loginDialog().logIn();
    ui::clearModalHook();

    EXPECT_TRUE(personBoxShown);
    ASSERT_FALSE(choices.isEmpty());
    EXPECT_EQ(choices.first(), "Все");
    EXPECT_TRUE(choices.contains(foreman.fullName)) << choices.join('|').toStdString();
    EXPECT_EQ(everyone, (QStringList{storekeeper.fullName, foreman.fullName}));
    EXPECT_EQ(foremanOnly, (QStringList{foreman.fullName}));
}

}  // namespace
