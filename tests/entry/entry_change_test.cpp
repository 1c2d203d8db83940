// A changed entry is written only over the entry as the editor loaded it. Refused, the editor
// shows the stored values where the user left a field alone, keeps what the user typed, and its
// next save writes both: the other workstation's changes and the user's.
#include "entry_fixture.h"

#include "../support/message_log.h"
#include "app/journal_window.h"
#include "data/data_module.h"
#include "entry/entry_editor.h"
#include "entry/entry_save.h"
#include "ui/modal.h"

#include <QLineEdit>
#include <functional>
#include <ostream>
#include "../support/app_controls.h"
#include "../support/app_windows.h"

using namespace testing_support;

namespace {

const QString kChanged = QStringLiteral("Запись изменена с другого рабочего места.\n");
const QString kStoredShown =
    QStringLiteral("\nПоля, которые вы не меняли, показаны с новыми значениями.");
const QString kYoursKept =
    QStringLiteral("\nГде указано «у вас», повторная запись сохранит ваше значение.");

// The boxes a case looks at: Кол-во, Брак, Время, Цена итог, Операция, Цвет.
QString editorBoxes() {
    QStringList texts;
    for (const char* name : {"Edit3", "Edit4", "Edit6", "Edit7", "Edit2", "Edit5"})
        texts << control<QLineEdit>(entryEditor(), name)->text();
    return texts.join('|');
}

class EntryChange : public entrytest::EntryTest {
protected:
    // The worked example stored (120 pieces, 2 defective, 8 hours, welding at 12.5) and the
    // journal of 05.11.2022 on it.
    qint64 storeWorkedExample() {
        EXPECT_EQ(entry::saveEntry(testdb::sharedData(), entrytest::workedExample()),
                  data::Verdict::Kind::Saved);
        showJournal(entrytest::kNov5);
        return testdb::scalar("select id from accounts_dep.smena").toLongLong();
    }
    // Opens the editor on the entry, runs `script` in it, and tells whether it closed at last.
    bool inEditor(const std::function<void()>& script) {
        bool closed = false;
        ui::setModalHook([&](QWidget*) {
            script();
            closed = !entryEditor().isVisible();
            return int(QDialog::Rejected);
        });
        journalWindow().changeEntry();
        ui::clearModalHook();
        return closed;
    }
    static void typeQuantity(const char* quantity) {
        entryQuantityBox()->setText(QString::fromLatin1(quantity));
    }
    // Another workstation, on a connection of its own, changes the entry.
    static void changeElsewhere(qint64 id, const QString& set) {
        testdb::exec(QString("update accounts_dep.smena set %1 where id=%2").arg(set).arg(id));
    }
};

struct ChangeCase {
    const char* name;
    const char* otherSet;    // what the other workstation changes while the user types 130 pieces
    QString message;         // the refusal, exactly
    const char* shownAfter;  // editorBoxes() after the refusal
    QVariantList stored;  // kol_vo, brak, time, cena, o_id, color after the second "Запись"
    int hours;            // the worker's timesheet cell of the day
};

void PrintTo(const ChangeCase& c, std::ostream* os) {
    *os << c.name;
}

const ChangeCase kCases[] = {
    {"DefectsElsewhereQuantityHere",
     "brak=5",
     kChanged + "Брак: 2 → 5" + kStoredShown,
     "130|5|8|12,5|М-31; Сварка; Готовая продукция|",
     {130, 5, 8, 12.5, 240, 0},
     8},
    {"QuantityOnBoth",
     "kol_vo=140, time=9, cena=14",
     kChanged + "Кол-во: 120 → 140, у вас: 130\nВремя: 8 → 9\nЦена итог: 12,5 → 14" + kStoredShown +
         kYoursKept,
     "130|2|9|14|М-31; Сварка; Готовая продукция|",
     {130, 2, 9, 14.0, 240, 0},
     9},
    // The operation comes with its product, price and colour, and opens the colour box.
    {"OperationElsewhere",
     "o_id=241, cena=10, color=3",
     kChanged +
         "Операция: М-31; Сварка; Готовая продукция → М-31; Покраска; Заготовки\n"
         "Цвет:  → 3\nЦена итог: 12,5 → 10" +
         kStoredShown,
     "130|2|8|10|М-31; Покраска; Заготовки|3",
     {130, 2, 8, 10.0, 241, 3},
     8},
};

class EntryChangeCases : public EntryChange, public ::testing::WithParamInterface<ChangeCase> {};

TEST_P(EntryChangeCases, IsRefusedShowingTheStoredFieldsLeftAloneThenWrittenWithTheUsersOwn) {
    const ChangeCase& c = GetParam();
    const qint64 id = storeWorkedExample();
    const QString storedSql = QString(
                                  "select kol_vo, brak, time, cena, o_id, coalesce(color, 0) from "
                                  "accounts_dep.smena where id=%1")
                                  .arg(id);
    MessageLog log;
    QList<QVariantList> afterRefusal;
    QString shownAfter;
    const bool closed = inEditor([&] {
        typeQuantity("130");
        changeElsewhere(id, QString::fromLatin1(c.otherSet));
        const QList<QVariantList> leftByOther = testdb::rows(storedSql);
        pressSave();
        EXPECT_EQ(testdb::rows(storedSql), leftByOther) << "nothing written";
        EXPECT_TRUE(entryEditor().isVisible());
        shownAfter = editorBoxes();
        pressSave();
    });

    EXPECT_EQ(log.texts(), QStringList{c.message});
    EXPECT_EQ(shownAfter, QString::fromUtf8(c.shownAfter));
    EXPECT_TRUE(closed);
    EXPECT_EQ(testdb::rows(storedSql), QList<QVariantList>{c.stored});
    EXPECT_EQ(cells("d5"), (QList<QVariantList>{{c.hours}}));
}

INSTANTIATE_TEST_SUITE_P(Editor, EntryChangeCases, ::testing::ValuesIn(kCases),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(EntryChange, AChangeElsewhereAfterTheRefusalIsCaughtAgain) {
    const qint64 id = storeWorkedExample();
    MessageLog log;
    const bool closed = inEditor([&] {
        typeQuantity("130");
        changeElsewhere(id, "brak=5");
        pressSave();
        changeElsewhere(id, "brak=6, kol_vo=150");  // a third workstation, after the refusal
        pressSave();
        pressSave();
    });
    EXPECT_EQ(log.texts(), (QStringList{kChanged + "Брак: 2 → 5" + kStoredShown,
                                        kChanged + "Кол-во: 120 → 150, у вас: 130\nБрак: 5 → 6" +
                                            kStoredShown + kYoursKept}));
    EXPECT_TRUE(closed);
    EXPECT_EQ(
        testdb::rows(QString("select kol_vo, brak from accounts_dep.smena where id=%1").arg(id)),
        (QList<QVariantList>{{130, 6}}));
}

}  // namespace
