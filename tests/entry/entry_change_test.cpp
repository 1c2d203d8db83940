// A changed entry is written only over the entry as the editor loaded it.
#include "entry_fixture.h"

#include "../support/message_log.h"
#include "app/journal_window.h"
#include "data/data_module.h"
#include "entry/entry_editor.h"
#include "entry/entry_save.h"
#include "ui/modal.h"

#include <QLineEdit>
#include "../support/app_windows.h"

using namespace testing_support;

namespace {

using EntryChange = entrytest::EntryTest;

TEST_F(EntryChange, ChangedElsewhereIsRefusedWithItsFieldsThenSavedDeliberately) {
    ASSERT_EQ(entry::saveEntry(testdb::sharedData(), entrytest::workedExample()),
              entry::SaveResult::Saved);
    const qint64 id = testdb::scalar("select id from accounts_dep.smena").toLongLong();
    const QString storedSql =
        QString("select kol_vo, time, cena from accounts_dep.smena where id=%1").arg(id);
    showJournal(entrytest::kNov5);

    MessageLog log;
    QList<QVariantList> afterRefusal;
    bool stayedOpen = false;
    QString keptQuantity;
    bool closed = false;
    ui::setModalHook([&](QWidget*) {
        control<QLineEdit>(entryEditor(), "Edit3")->setText(QStringLiteral("130"));
        testdb::exec(
            QString("update accounts_dep.smena set kol_vo=140, time=9, cena=14 where id=%1")
                .arg(id));
        pressSave();
        afterRefusal = testdb::rows(storedSql);
        stayedOpen = entryEditor().isVisible();
        keptQuantity = control<QLineEdit>(entryEditor(), "Edit3")->text();
        pressSave();
        closed = !entryEditor().isVisible();
        return int(QDialog::Rejected);
    });
    journalWindow().changeEntry();
    ui::clearModalHook();

    EXPECT_EQ(log.texts(), QStringList{"Запись изменена с другого рабочего места.\n"
                                       "Кол-во: 120 → 140\nВремя: 8 → 9\nЦена итог: 12,5 → 14"});
    EXPECT_EQ(afterRefusal, (QList<QVariantList>{{140, 9, 14.0}}));
    EXPECT_TRUE(stayedOpen);
    EXPECT_EQ(keptQuantity, "130");
    // The second "Запись" writes what the dialog holds, and the timesheet follows it.
    EXPECT_TRUE(closed);
    EXPECT_EQ(testdb::rows(storedSql), (QList<QVariantList>{{130, 8, 12.5}}));
    EXPECT_EQ(cells("d5"), (QList<QVariantList>{{8}}));
}

}  // namespace
