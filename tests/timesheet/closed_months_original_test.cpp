// The client on a plant's database that was never upgraded (no closed months there).
#include "../entry/entry_fixture.h"
#include "../support/app_controls.h"
#include "../support/app_windows.h"
#include "../support/message_log.h"
#include "../timesheet/timesheet_fixture.h"
#include "data/data_module.h"
#include "ui/modal.h"

#include <QLabel>
#include <QPushButton>

using namespace testing_support;

namespace {

using NotUpgraded = entrytest::EntryTest;

TEST_F(NotUpgraded, JournalAndTimesheetWorkAsAlwaysAndClosingAsksForTheUpgrade) {
    ASSERT_TRUE(testdb::scalar("select to_regclass('accounts_dep.closed_month') is null").toBool());
    bool editorOpened = false;
    ui::setModalHook([&](QWidget*) {
        editorOpened = true;
        fillWorkedExample();
        pressSave();
        return int(QDialog::Accepted);
    });
    MessageLog log;
    journalAddButton()->click();
    EXPECT_TRUE(editorOpened);
    EXPECT_EQ(entryCount(), 1);

    timesheet_fixture::choose(&timesheetWindow(), 11, 2022);
    rebuildButton()->click();  // "Перестроить"
    EXPECT_EQ(cells("d5"), (QList<QVariantList>{{8}}));
    // The state label says what closing months needs; only "Закрыть месяц" may be pressed (no
    // month is closed here), and it says the same at length.
    EXPECT_EQ(monthStateLabel()->text(),
              "Закрытие месяцев — после обновления базы:\nplant-client --upgrade-database БАЗА "
              "СЕРВЕР");
    EXPECT_FALSE(reopenMonthButton()->isEnabled());
    if (const QString shots = qEnvironmentVariable("PLANT_SHOTS_DIR"); !shots.isEmpty())
        timesheetWindow().grab().save(shots + "/timesheet-not-upgraded.png");
    EXPECT_EQ(control<QLabel>(journalWindow(), "monthStateLabel")->text(), "");
    EXPECT_EQ(log.count(), 0);

    closeMonthButton()->click();
    ASSERT_EQ(log.count(), 1);
    EXPECT_EQ(log.messages()[0].text,
              "Закрывать и открывать месяцы можно после обновления базы данных. Обновите её "
              "командой\nplant-client --upgrade-database БАЗА СЕРВЕР\n(на любом компьютере, "
              "откуда доступен сервер; клиенты могут работать дальше).");
    EXPECT_EQ(log.messages()[0].caption, "Закрытие месяца");
}

}  // namespace
