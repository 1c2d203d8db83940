#include "entry_fixture.h"

#include "app/journal_window.h"
#include "data/data_module.h"
#include "entry/entry_editor.h"
#include "ui/clock.h"

#include <QDateEdit>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include "../support/app_controls.h"
#include "../support/app_windows.h"

using namespace testing_support;

namespace entrytest {

void EntryTest::SetUp() {
    AppTest::SetUp();
    testdb::exec(
        "insert into accounts_dep.person(id, fio) values (17, 'Иванов И.И.'), (18, 'Петров П.П.')");
    testdb::exec(
        "insert into cmn_gds_and_srv.gds_and_srv(id, s_caption, id_msm_bs) values (31, 'М-31', 6)");
    testdb::exec(
        "insert into accounts_dep.vid_oper(id, vid) values (5, 'Сварка'), (6, 'Покраска')");
    testdb::exec(
        "insert into accounts_dep.oper(id, vid, naimen, i_id) "
        "values (240, 5, 0, 31), (241, 6, 1, 31)");
    testdb::exec(
        "insert into accounts_dep.norm(o_id, norma, price) values (240, 10, 12.5), "
        "(240, 12, 14), (241, 5, 10)");
    ui::setToday(kToday);
    shiftButton(2)->click();
    for (int shift = 1; shift <= 4; ++shift)
        testdb::sharedData().journalOf(shift)->setParam(QStringLiteral("ok"), QStringLiteral("ta"));
    showJournal(kNov5);
    entryEditor().hide();
}

void EntryTest::TearDown() {
    entryEditor().hide();
    testdb::sharedData().operations->close();
    AppTest::TearDown();
}

void EntryTest::fillWorkedExample() {
    entryEditor().setMode(::entry::EntryEditor::Mode::Adding);
    entryWorkerBox()->setText(QStringLiteral("Иванов И.И."));
    entryOperationBox()->setText(kWelding);
    entryEditor().setChosen({.workerId = 17, .operationId = 240, .productId = 31, .price = 12.5});
    entryQuantityBox()->setText(QStringLiteral("120"));
    entryDefectsBox()->setText(QStringLiteral("2"));
    entryHoursBox()->setText(QStringLiteral("8"));
    entryColourBox()->clear();
    entryDate()->setDate(kNov5);
}

entry::EntryValues workedExample() {
    entry::EntryValues v;
    v.workerId = 17;
    v.productId = 31;
    v.operationId = 240;
    v.price = 12.5;
    v.quantity = QStringLiteral("120");
    v.defects = QStringLiteral("2");
    v.hours = QStringLiteral("8");
    v.date = kNov5;
    v.shift = 2;
    v.colour = 0;
    v.inputDate = kToday;
    return v;
}

void EntryTest::showJournal(const QDate& day) {
    data::Dataset* journal = testdb::sharedData().journalOf(2);
    journal->close();
    journal->setParam(QStringLiteral("data"), day);
    journal->open();
}

void EntryTest::pressSave() {
    entrySaveButton()->click();
}

qint64 EntryTest::entryCount() {
    return testdb::scalar("select count(*) from accounts_dep.smena").toLongLong();
}

QList<QVariantList> EntryTest::cells(const QString& columns) {
    return testdb::rows(QStringLiteral("select %1 from accounts_dep.h_tabel where w_id=17 and "
                                       "smena=2 and month=11 and year=2022 order by id")
                            .arg(columns));
}

}  // namespace entrytest
