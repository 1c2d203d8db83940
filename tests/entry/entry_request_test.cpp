// The foreman's typical request, from the login to the reloaded journal, through the real
// journal window and pickers.
#include "entry_fixture.h"

#include "../support/message_log.h"
#include "app/journal_window.h"
#include "app/login_window.h"
#include "data/data_module.h"
#include "entry/entry_editor.h"
#include "refbooks/operations_list.h"
#include "refbooks/workers_list.h"
#include "ui/modal.h"

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include "../support/app_controls.h"
#include "../support/app_windows.h"

using namespace testing_support;

namespace {

// A fresh client for the login, whose role lasts for the rest of its process.
class ForemanRequest : public entrytest::EntryTest {
protected:
    void SetUp() override {
        testdb::stopApp();
        EntryTest::SetUp();
    }
    void TearDown() override {
        EntryTest::TearDown();
        testdb::stopApp();
    }
};

void type(QLineEdit* box, const QString& text) {
    box->selectAll();
    QTest::keyClicks(box, text);
}

// Picks the first operation whose id is operId in the operations list.
void pickOperation(int operationId) {
    ASSERT_TRUE(testdb::sharedData().operations->locate("id", operationId));
    changeButtonOf(operationsList())->click();
}

TEST_F(ForemanRequest, AddedEntryReachesTheJournalAndTheTimesheet) {
    MessageLog log;
    int journalRows = -1;
    QString journalWorker;
    ui::setModalHook([&](QWidget* w) {
        if (w == &journalWindow()) {
            journalWindow().windowActivated();
            EXPECT_FALSE(dayOffCheck()->isChecked());
            journalAddButton()->click();  // "Добавить"
            journalRows = testdb::sharedData().journalOf(1)->recordCount();
            journalWorker = testdb::sharedData().journalOf(1)->text("fio");
            return int(QDialog::Rejected);
        }
        if (w == &entryEditor()) {
            EXPECT_EQ(entryEditor().windowTitle(), "Заведение новой позиции");
            entryWorkerPicker()->click();  // the worker picker
            EXPECT_EQ(entryWorkerBox()->text(), "Петров П.П.");
            // A paint operation first opens the colour box, another one closes it again.
            entryOperationPicker()->click();
            EXPECT_EQ(entryOperationBox()->text(), entrytest::kPainting);
            EXPECT_TRUE(entryColourBox()->isEnabled());
            EXPECT_TRUE(control<QLabel>(entryEditor(), "Label6")->isEnabled());
            entryColourBox()->setText("3");
            entryOperationPicker()->click();
            EXPECT_EQ(entryOperationBox()->text(), entrytest::kWelding);
            EXPECT_FALSE(entryColourBox()->isEnabled());
            EXPECT_TRUE(entryColourBox()->text().isEmpty());
            EXPECT_EQ(entryBasePriceBox()->text(),
                      "12,5");  // the lowest norm price
            EXPECT_EQ(entryFinalPriceBox()->text(), "12,5");
            type(entryQuantityBox(), "120");
            type(entryDefectsBox(), "2");
            type(entryHoursBox(), "8");
            entryEditor().refreshPrices();
            EXPECT_EQ(entrySumBox()->text(), "1500");
            entrySaveButton()->click();  // "Запись"
            EXPECT_FALSE(entryEditor().isVisible());
            return int(QDialog::Rejected);
        }
        if (w == &workersList()) {
            searchBoxOf(workersList())->setText("Пет");  // the incremental search
            changeButtonOf(workersList())->click();      // "Выбрать"
            return int(QDialog::Rejected);
        }
        if (w == &operationsList()) {
            // Operation 241 (painting) on the first showing, then welding.
            pickOperation(entryOperationBox()->text().isEmpty() ? 241 : 240);
            return int(QDialog::Rejected);
        }
        ADD_FAILURE() << "unexpected window " << w->objectName().toStdString();
        return int(QDialog::Rejected);
    });
    loginWordBox()->setText("brigado");
    loginDialog().logIn();

    EXPECT_EQ(log.count(), 0) << log.texts().join('|').toStdString();
    const auto rows = testdb::rows(
        "select w_id, i_id, o_id, cena, kol_vo, brak, to_char(data, 'DD.MM.YYYY'), smena, color, "
        "time, to_char(vvod, 'DD.MM.YYYY HH24:MI:SS'), ok, prize, id_doc, id_doc_item, "
        "f_gds_qty_use, id_gds_use, id_cons_use from accounts_dep.smena");
    ASSERT_EQ(rows.size(), 1);
    const QStringList expected = {
        "18", "31", "240", "12.5", "120", "2", "07.11.2022", "1", "0", "8", "07.11.2022 00:00:00",
        "no", "0",  "0",   "0",    "0",   "0", "0"};
    for (int i = 0; i < expected.size(); ++i)
        EXPECT_EQ(rows[0][i].toString(), expected[i]) << "column " << i;
    EXPECT_EQ(testdb::scalar("select d7 from accounts_dep.h_tabel where w_id=18 and smena=1 and "
                             "month=11 and year=2022")
                  .toInt(),
              8);
    EXPECT_EQ(journalRows, 1);
    EXPECT_EQ(journalWorker, "Петров П.П.");
}

}  // namespace
