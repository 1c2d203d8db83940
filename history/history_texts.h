#pragma once

#include <QString>

// How the change history window words what the database recorded.
namespace history {

// "Добавление", "Изменение", "Удаление"; a month closed or reopened and a timesheet rebuild by
// their own names.
QString actionText(const QString& table, const QString& action);
// The role in Russian; another program (no role) as "Другая программа".
QString roleText(const QString& role);
// What changed, from the changes column (json {"t", "a", "o", "n"}): for a change each changed
// field as "Кол-во: 38 → 40", for an addition or a deletion the row's fields as "Кол-во: 40",
// with the captions the editors show, and a month's reopening as "Причина: ..." (its "r"), joined
// by "; ".
QString changesText(const QString& changesJson);

}  // namespace history
