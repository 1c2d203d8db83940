#include "history/history_texts.h"

#include <gtest/gtest.h>

namespace {

struct ChangesCase {
    const char* json;
    const char* text;
};

class ChangesText : public ::testing::TestWithParam<ChangesCase> {};

TEST_P(ChangesText, WordsWhatChangedWithTheEditorsCaptions) {
    EXPECT_EQ(history::changesText(QString::fromUtf8(GetParam().json)).toStdString(),
              GetParam().text);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, ChangesText,
    ::testing::Values(
        // A change: the changed fields only, in the editor's order, whatever the json's order.
        ChangesCase{R"({"a": "update", "t": "smena", "o": {"kol_vo": 38}, "n": {"kol_vo": 40}})",
                    "Кол-во: 38 → 40"},
        ChangesCase{R"({"a": "update", "t": "smena", "o": {"time": 8, "data": "2026-11-05",
                    "cena": 1.5}, "n": {"time": 7, "data": "2026-11-06", "cena": 2.25}})",
                    "Дата: 05.11.2026 → 06.11.2026; Время: 8 → 7; Цена итог: 1,5 → 2,25"},
        // An empty value and a column no editor shows, by its own name.
        ChangesCase{R"({"a": "update", "t": "smena", "o": {"color": null, "id_doc": 0},
                    "n": {"color": 3, "id_doc": 5}})",
                    "Цвет: — → 3; id_doc: 0 → 5"},
        ChangesCase{R"({"a": "update", "t": "smena", "o": {"vvod": "2026-11-05T00:00:00"},
                    "n": {"vvod": "2026-11-06T00:00:00"}})",
                    "Заведен: 05.11.2026 → 06.11.2026"},
        ChangesCase{R"({"a": "update", "t": "oper", "o": {"naimen": 0}, "n": {"naimen": 1}})",
                    "Вид: Готовая продукция → Заготовки"},
        // An addition and a deletion: the row's shown fields, keys and unused columns left out.
        ChangesCase{R"({"a": "insert", "t": "izdel", "o": null, "n": {"id": 4, "id_msm_bs": 6,
                    "s_caption": "ЯП-1", "massa": 1.5}})",
                    "Марка: ЯП-1; Расценка: 1,5"},
        ChangesCase{R"({"a": "delete", "t": "norm", "o": {"id": 9, "o_id": 3, "norma": 100,
                    "prize": 5, "price": 12.75}, "n": null})",
                    "Операция (код): 3; Норматив: 100; Премия, %: 5; Цена: 12,75"},
        ChangesCase{R"({"a": "insert", "t": "person", "o": null, "n": {"id": 1, "fio":
                    "Иванов И.И.", "s_staffpos_hl": null}})",
                    "ФИО: Иванов И.И.; Должность: —"},
        // Events of a month carry no fields; a reopening its reason, where the database keeps it.
        ChangesCase{R"({"a": "rebuild", "t": "h_tabel", "o": null, "n": null})", ""},
        ChangesCase{R"({"a": "insert", "t": "closed_month", "o": null, "n": {"year": 2022,
                    "month": 11}, "r": null})",
                    ""},
        ChangesCase{R"({"a": "delete", "t": "closed_month", "o": {"year": 2022, "month": 11},
                    "n": null, "r": "Ошибка в часах Иванова"})",
                    "Причина: Ошибка в часах Иванова"}));

TEST(HistoryWords, ActionsAndRoles) {
    const std::pair<std::pair<const char*, const char*>, const char*> actions[] = {
        {{"smena", "insert"}, "Добавление"},
        {{"smena", "update"}, "Изменение"},
        {{"norm", "delete"}, "Удаление"},
        {{"closed_month", "insert"}, "Закрытие месяца"},
        {{"closed_month", "delete"}, "Открытие месяца"},
        {{"h_tabel", "rebuild"}, "Перестроение табеля"},
    };
    for (const auto& [key, text] : actions)
        EXPECT_EQ(
            history::actionText(QString::fromLatin1(key.first), QString::fromLatin1(key.second))
                .toStdString(),
            text)
            << key.first << " " << key.second;

    EXPECT_EQ(history::roleText("Administrator"), "Администратор");
    EXPECT_EQ(history::roleText("Foreman"), "Бригадир");
    EXPECT_EQ(history::roleText("Storekeeper"), "Кладовщик");
    EXPECT_EQ(history::roleText("Reviewer"), "Контролёр");
    EXPECT_EQ(history::roleText(""), "Другая программа");
}

}  // namespace
