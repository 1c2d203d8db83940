// The comparison of a row as an editor loaded it with the row as stored, its message, and the
// lock it holds while the write runs.
#include "data/row_check.h"
#include "../support/test_database.h"
#include "data/command.h"
#include "data/dataset.h"

#include <stdexcept>

namespace {

const data::ShownFields kFields{
    {"fio", "ФИО", "w_id"},
    {"kol_vo", "Кол-во"},
    {"cena", "Цена итог"},
    {"color", "Цвет"},
};
const data::RowSnapshot kLoaded{
    {"w_id", "17"}, {"fio", "Иванов И.И."}, {"kol_vo", "38"}, {"cena", "12,5"}, {"color", ""}};

data::RowSnapshot with(data::RowSnapshot row, const QString& field, const QString& value) {
    row[field] = value;
    return row;
}

struct MessageCase {
    const char* name;
    data::RowSnapshot stored;
    const char* message;  // empty: no change
};

TEST(RowCheck, ListsEachChangedFieldInTheEditorsOrderWithBothValues) {
    const MessageCase cases[] = {
        {"unchanged", kLoaded, ""},
        {"one field", with(kLoaded, "kol_vo", "40"),
         "Запись изменена с другого рабочего места.\nКол-во: 38 → 40"},
        {"several, in the fields' order, not the snapshot's",
         with(with(kLoaded, "cena", "14"), "fio", "Петров П.П."),
         "Запись изменена с другого рабочего места.\nФИО: Иванов И.И. → Петров П.П.\n"
         "Цена итог: 12,5 → 14"},
        {"another worker of the same name", with(kLoaded, "w_id", "18"),
         "Запись изменена с другого рабочего места.\nФИО: Иванов И.И. → Иванов И.И."},
        {"an empty value", with(kLoaded, "color", "2"),
         "Запись изменена с другого рабочего места.\nЦвет:  → 2"},
        {"a field nobody shows", with(kLoaded, "vvod", "07.11.2022"), ""},
    };
    for (const MessageCase& c : cases) {
        SCOPED_TRACE(c.name);
        const QList<data::FieldChange> changes = data::changedFields(kFields, kLoaded, c.stored);
        EXPECT_EQ(changes.isEmpty() ? QString() : data::changedElsewhereMessage(changes),
                  QString::fromUtf8(c.message));
    }
}

class LockedRowCheck : public testdb::DbTest {
protected:
    static data::GuardedRow workerRow() {
        return {"select id, fio from accounts_dep.person where id=1 for update",
                [](const data::Dataset& row) {
                    return data::RowSnapshot{{"fio", row.text("fio")}};
                },
                {{"fio", "ФИО"}}};
    }
    static QString storedName() {
        return testdb::scalar("select fio from accounts_dep.person where id=1").toString();
    }
};

TEST_F(LockedRowCheck, WritesOnlyOverTheRowAsLoadedAndHoldsItLockedWhileWriting) {
    testdb::exec("insert into accounts_dep.person(fio) values ('Иванов И.И.')");
    const data::RowSnapshot loaded{{"fio", "Иванов И.И."}};
    auto rename = [](const char* fullName) {
        return [fullName] {
            // Another workstation cannot take the row between the check and this write.
            EXPECT_THROW(
                testdb::exec("select id from accounts_dep.person where id=1 for update nowait"),
                std::runtime_error);
            data::Command(
                QString(),
                QString("update accounts_dep.person set fio='%1' where id=1").arg(fullName))
                .execOnRow();
        };
    };

    testdb::exec("update accounts_dep.person set fio='Иванов И.П.' where id=1");
    data::Verdict verdict = data::writeUnlessChanged(workerRow(), loaded, rename("Мой"));
    EXPECT_EQ(verdict.kind, data::Verdict::Kind::ChangedElsewhere);
    EXPECT_EQ(verdict.message,
              "Запись изменена с другого рабочего места.\nФИО: Иванов И.И. → Иванов И.П.");
    EXPECT_EQ(storedName(), "Иванов И.П.");

    // Written over the stored row deliberately, the next save goes through.
    verdict = data::writeUnlessChanged(workerRow(), verdict.stored, rename("Мой"));
    EXPECT_TRUE(verdict.saved());
    EXPECT_EQ(storedName(), "Мой");

    testdb::exec("delete from accounts_dep.person");
    verdict = data::writeUnlessChanged(workerRow(), loaded, rename("Мой"));
    EXPECT_EQ(verdict.kind, data::Verdict::Kind::Gone);
    EXPECT_EQ(verdict.message, "Запись была удалена с другого рабочего места.");
}

}  // namespace
