// The rule an editor follows after a save refused because another workstation changed the row:
// which fields show the stored value, which keep the user's, and what the refusal says.
#include "refbooks/row_merge.h"

#include "../support/qt_printers.h"

#include <gtest/gtest.h>

namespace {

const data::ShownFields kFields{
    {"fio", "ФИО", "w_id"},
    {"kol_vo", "Кол-во"},
    {"brak", "Брак"},
};
const data::RowSnapshot kLoaded{
    {"w_id", "17"}, {"fio", "Иванов И.И."}, {"kol_vo", "30"}, {"brak", "0"}};

data::RowSnapshot with(std::initializer_list<std::pair<QString, QString>> values) {
    data::RowSnapshot row = kLoaded;
    for (const auto& [field, value] : values)
        row[field] = value;
    return row;
}

const QString kChanged = QStringLiteral("Запись изменена с другого рабочего места.\n");
const QString kStoredShown =
    QStringLiteral("\nПоля, которые вы не меняли, показаны с новыми значениями.");
const QString kYoursKept =
    QStringLiteral("\nГде указано «у вас», повторная запись сохранит ваше значение.");

TEST(RowMerge, TakesTheStoredValueOnlyWhereTheUserLeftTheFieldAlone) {
    const struct {
        const char* name;
        data::RowSnapshot stored;
        data::RowSnapshot edited;
        QStringList fromStored;
        QString message;
    } cases[] = {
        {"elsewhere the defects, here the quantity",
         with({{"brak", "3"}}),
         with({{"kol_vo", "32"}}),
         {"brak"},
         kChanged + "Брак: 0 → 3" + kStoredShown},
        {"both the quantity",
         with({{"kol_vo", "40"}}),
         with({{"kol_vo", "32"}}),
         {},
         kChanged + "Кол-во: 30 → 40, у вас: 32" + kYoursKept},
        {"both the quantity, alike",
         with({{"kol_vo", "40"}}),
         with({{"kol_vo", "40"}}),
         {},
         kChanged + "Кол-во: 30 → 40"},
        {"both, and one more elsewhere",
         with({{"kol_vo", "40"}, {"brak", "3"}}),
         with({{"kol_vo", "32"}}),
         {"brak"},
         kChanged + "Кол-во: 30 → 40, у вас: 32\nБрак: 0 → 3" + kStoredShown + kYoursKept},
        {"another worker of the same name elsewhere",
         with({{"w_id", "18"}}),
         kLoaded,
         {"fio"},
         kChanged + "ФИО: Иванов И.И. → Иванов И.И." + kStoredShown},
        {"another worker of the same name here, renamed elsewhere",
         with({{"fio", "Иванов И.П."}}),
         with({{"w_id", "18"}}),
         {},
         kChanged + "ФИО: Иванов И.И. → Иванов И.П., у вас: Иванов И.И." + kYoursKept},
        {"an emptied box against a change elsewhere",
         with({{"brak", "3"}}),
         with({{"brak", ""}}),
         {},
         kChanged + "Брак: 0 → 3, у вас: " + kYoursKept},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const refbooks::RowMerge merge =
            refbooks::mergeRefused(kFields, kLoaded, c.stored, c.edited);
        EXPECT_EQ(merge.fromStored, c.fromStored);
        EXPECT_EQ(merge.message(), c.message);
    }
}

}  // namespace
