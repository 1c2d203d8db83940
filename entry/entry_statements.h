#pragma once

#include "data/dataset.h"
#include "data/db_error.h"

#include <QDate>
#include <QString>
#include <optional>

// Rules and statement texts of the entry editor's save. Ids, the shift and the colour are
// written as decimal integers, the digit boxes as they were typed (trimmed), the price with a
// point whatever the workstation's separator, dates as DD.MM.YYYY.
namespace entry {

// What the save writes into one journal row.
struct EntryValues {
    int workerId = 0;
    int productId = 0;
    int operationId = 0;
    double price = 0;
    QString quantity;  // "Кол-во", "Брак" and "Время": digit strings, trimmed
    QString defects;
    QString hours;
    QDate date;
    int shift = 1;
    int colour = 0;
    QDate inputDate;  // vvod: the day of saving
};

// The texts of the boxes the completeness check looks at, as the dialog holds them.
struct EntryBoxes {
    QString worker;
    QString operation;
    QString quantity;
    QString defects;
    QString colour;
    QString hours;
};

inline constexpr const char* kIncompleteMessage = "Все поля должны быть заполнены!";
inline constexpr const char* kDuplicateMessage = "Позиция с такими параметрами уже заведена!";
inline constexpr const char* kBadColourMessage =
    "Цвет должен быть целым числом от 0 до 2147483647!";
inline constexpr const char* kBadQuantityMessage =
    "Кол-во должно быть целым числом от 0 до 2147483647!";
inline constexpr const char* kBadDefectsMessage =
    "Брак должен быть целым числом от 0 до 2147483647!";
inline constexpr const char* kBadHoursMessage =
    "Время одной позиции не может быть больше 24 часов!";
inline constexpr const char* kBadPriceMessage =
    "Цена итог слишком велика для записи: выберите операцию заново!";
inline constexpr const char* kEntryGoneMessage = data::kRowGoneMessage;

// The most hours a worker can have in one shift of one day, over all entries.
inline constexpr int kMaxDayHours = 24;

// A paint operation's text, upper-cased, contains "КРАСКА"; only such entries take a colour.
bool isPaintOperation(const QString& operationText);

// False when a box the save needs is empty (the colour only for a paint operation).
bool isComplete(const EntryBoxes& boxes);

// The colour number: 0 for an empty box, otherwise the trimmed text read by its box's rule (the
// digits 0-9, ui::wholeNumber) as a 32-bit integer, leading zeros dropped; nothing when the text
// is no such number ("-1", "+1", a pasted "1e3").
std::optional<int> colourNumber(const QString& text);

// The refusal of values that do not fit their columns or would corrupt the timesheet: quantity,
// defects and hours that are no digit strings (their boxes' rule: no sign, no other script's
// digits) or beyond a 32-bit integer, more than kMaxDayHours hours, a price the database cannot
// hold. Nothing when the values can be written.
std::optional<QString> valueRefusal(const EntryValues& v);

// The refusal of a save after which the worker would have `total` hours in that shift and day.
QString dayHoursMessage(qint64 total);

// The price as the statements carry it: 4 decimals, ties to even, general format, a point.
QString priceText(double price);

// Counts the entries with the same worker, operation, product, date, shift and colour; a change
// leaves the entry itself (changedId) out.
QString duplicateCountStatement(const EntryValues& v, std::optional<qint64> changedId = {});
QString insertStatement(const EntryValues& v);
QString updateStatement(const EntryValues& v, qint64 id);

// Where an entry stands: w_id, smena and data of the row, which stays locked against other
// workstations' changes and deletion until the transaction ends (no row: it is gone).
QString storedPlaceStatement(qint64 id);

// Key of the lock that serialises the duplicate check with the write across workstations.
QString duplicateLockKey(const EntryValues& v);

// The date of the journal's current entry (its data column, a date or DD.MM.YYYY text).
QDate entryDate(const data::Dataset& journal);

}  // namespace entry
