#include "entry/entry_save.h"

#include "data/change.h"
#include "data/data_module.h"
#include "data/transaction.h"
#include "entry/entry_snapshot.h"
#include "timesheet/day_recalc.h"
#include "timesheet/month_closing.h"

#include <map>
#include <tuple>

#include <algorithm>

namespace entry {

namespace {

struct Place {
    int workerId = 0;
    int shift = 0;
    QDate date;
    bool operator==(const Place&) const = default;
};

// Where the entry stands now, locked until the transaction ends; nothing when it is gone.
std::optional<Place> lockedPlace(data::SharedData& db, qint64 id) {
    return db.readOneRow(
        storedPlaceStatement(id), [](const data::Dataset& q) -> std::optional<Place> {
            if (q.isEmpty())
                return std::nullopt;
            return Place{q.asInt(QStringLiteral("w_id")), q.asInt(QStringLiteral("smena")),
                         q.value(QStringLiteral("data")).toDate()};
        });
}

// The timesheet day cell that follows the journal at this place.
timesheet::DayCell cellOf(const Place& p) {
    return {p.workerId, p.shift, p.date};
}

std::vector<timesheet::DayCell> cellsOf(const std::vector<Place>& places) {
    std::vector<timesheet::DayCell> cells;
    for (const Place& p : places)
        cells.push_back(cellOf(p));
    return cells;
}

// Before the journal is written: the timesheet rows of these places, until commit.
void lockRows(const std::vector<Place>& places) {
    timesheet::lockDayCells(cellsOf(places));
}

using Verdict = data::Verdict;

Verdict duplicate() {
    return Verdict::refusal(Verdict::Kind::Duplicate, QString::fromUtf8(kDuplicateMessage));
}

Verdict refused(const QString& message) {
    return Verdict::refusal(Verdict::Kind::Refused, message);
}

// The journals and timesheet months of these places changed: told after the commit, each once.
void announce(const std::vector<Place>& places) {
    for (const Place& p : places) {
        if (!p.date.isValid())
            continue;
        data::announce(data::Change::journal(p.date, p.shift));
        data::announce(data::Change::timesheet(p.date.year(), p.date.month()));
    }
}

// The save's writes inside its transaction, with the places whose journal and timesheet changed
// when it may commit; the refusal otherwise.
struct Written {
    Verdict verdict;
    std::vector<Place> changed;
};

// Once the duplicate key is locked: another workstation may have written the same entry since
// the first check.
bool duplicateStored(data::SharedData& db, const QString& countSql) {
    return db.countOf(countSql) > 0;
}

// Writes the entry's journal row with SmenaIU; false when the changed entry is gone.
bool writeRow(const QString& sql) {
    data::Command entryWrite(QStringLiteral("SmenaIU"));
    entryWrite.setSql(sql);
    return entryWrite.exec() > 0;
}

// After the journal rows of a worker, shift and day are written (its timesheet row locked):
// refused when the day holds more than kMaxDayHours hours, otherwise the day cell follows the
// journal.
std::optional<Verdict> recalcWrittenDay(data::SharedData& db, const Place& p) {
    const qint64 dayHours = timesheet::journalDayHours(db, cellOf(p));
    if (dayHours > kMaxDayHours)
        return refused(dayHoursMessage(dayHours));
    timesheet::writeDayCell(db, cellOf(p), dayHours);
    return std::nullopt;
}

Written writeEntry(data::SharedData& db, const EntryValues& v, std::optional<qint64> changedId,
                   const QString& countSql, const EntryChange* change) {
    if (duplicateStored(db, countSql))
        return {duplicate(), {}};

    const Place target{v.workerId, v.shift, v.date};
    std::optional<Place> left;
    if (changedId) {
        left = lockedPlace(db, *changedId);
        if (!left)
            return {Verdict::gone(), {}};
        // The entry, locked by now, is still as the editor loaded it; otherwise the verdict
        // says how not.
        if (change) {
            Verdict unchanged = data::checkLockedRow(guardedEntry(change->id), change->loaded);
            if (!unchanged.saved())
                return {std::move(unchanged), {}};
        }
    }
    lockRows(left ? std::vector<Place>{target, *left} : std::vector<Place>{target});

    if (!writeRow(changedId ? updateStatement(v, *changedId) : insertStatement(v)))
        return {Verdict::gone(), {}};
    if (const std::optional<Verdict> refusal = recalcWrittenDay(db, target))
        return {*refusal, {}};
    // The cell the entry moved away from must lose its hours too.
    if (left && !(*left == target) && left->date.isValid())
        timesheet::followLeftDay(db, cellOf(*left));
    return {{}, left ? std::vector<Place>{target, *left} : std::vector<Place>{target}};
}

// The refusals that need no lock: values that cannot be written, a stored duplicate (the common
// refusal, answered before anything is locked).
std::optional<Verdict> refusalBeforeLocks(data::SharedData& db, const EntryValues& v,
                                          const QString& countSql) {
    if (const std::optional<QString> refusal = valueRefusal(v))
        return refused(*refusal);
    if (db.countsAnyRow(countSql))
        return duplicate();
    return std::nullopt;
}

Verdict save(data::SharedData& db, const EntryValues& v, std::optional<qint64> changedId,
             const EntryChange* change) {
    const QString countSql = duplicateCountStatement(v, changedId);
    if (const std::optional<Verdict> refusal = refusalBeforeLocks(db, v, countSql))
        return *refusal;

    Written written;
    {
        data::Transaction transaction;
        // Held until commit: a second save of the same key waits here and then sees this one.
        data::lockForTransaction(duplicateLockKey(v));
        written = writeEntry(db, v, changedId, countSql, change);
        if (written.verdict.saved()) {
            announce(written.changed);
            transaction.commit();
        }
    }
    return written.verdict;
}

// The named whole-number columns of every row of a statement's answer, in its order.
std::vector<std::vector<qint64>> columnsOf(const QString& sql, const QStringList& fields) {
    data::Dataset answer(QStringLiteral("ShiftCheck"));
    answer.setSql(sql);
    answer.open();
    const data::CloseAtScopeEnd closing(answer);
    std::vector<std::vector<qint64>> rows;
    for (answer.first(); !answer.eof(); answer.next()) {
        std::vector<qint64> row;
        for (const QString& f : fields)
            row.push_back(answer.asInt64(f));
        rows.push_back(std::move(row));
    }
    return rows;
}

// Stored entries with each row's duplicate key.
std::vector<qint64> storedDuplicates(const std::vector<EntryValues>& rows) {
    std::vector<qint64> counts;
    if (rows.empty())
        return counts;
    for (const auto& row : columnsOf(duplicateCountsStatement(rows), {QStringLiteral("cnt")}))
        counts.push_back(row[0]);
    return counts;
}

// Where the entry of these values stands.
Place placeOf(const EntryValues& v) {
    return Place{v.workerId, v.shift, v.date};
}

bool operator<(const Place& a, const Place& b) {
    return std::tie(a.date, a.shift, a.workerId) < std::tie(b.date, b.shift, b.workerId);
}

// The shift's rows grouped by their worker, shift and day.
std::map<Place, std::vector<std::size_t>> rowsByPlace(const std::vector<EntryValues>& rows) {
    std::map<Place, std::vector<std::size_t>> places;
    for (std::size_t i = 0; i < rows.size(); ++i)
        places[placeOf(rows[i])].push_back(i);
    return places;
}

// The cells of the places, in the map's order.
std::vector<timesheet::DayCell> cellsOf(const std::map<Place, std::vector<std::size_t>>& places) {
    std::vector<timesheet::DayCell> cells;
    for (const auto& [p, indexes] : places)
        cells.push_back(cellOf(p));
    return cells;
}

void markRows(ShiftVerdict& verdict, const std::vector<std::size_t>& rows, const QString& why) {
    for (const std::size_t i : rows) {
        if (verdict.refusals[i].isEmpty())
            verdict.refusals[i] = why;
    }
}

// Every rule of the single save, row by row, before anything is locked or written.
ShiftVerdict checkShift(data::SharedData& db, const std::vector<EntryValues>& rows) {
    ShiftVerdict verdict;
    verdict.refusals.resize(rows.size());
    std::map<std::pair<int, int>, bool> monthIsClosed;
    std::map<QString, std::size_t> firstOfKey;
    for (std::size_t i = 0; i < rows.size(); ++i) {
        const EntryValues& v = rows[i];
        const QDate& d = v.date;
        const auto [month, unasked] = monthIsClosed.try_emplace({d.year(), d.month()}, false);
        if (unasked)
            month->second = timesheet::monthClosed(db, d.month(), d.year());
        if (month->second) {
            verdict.refusals[i] = data::closedMonthMessage(d.month(), d.year());
            continue;
        }
        const auto [first, isFirst] = firstOfKey.emplace(duplicateLockKey(v), i);
        if (!isFirst) {
            verdict.refusals[i] = shiftDuplicateMessage(static_cast<int>(first->second) + 1);
            continue;
        }
        if (const std::optional<QString> refusal = valueRefusal(v))
            verdict.refusals[i] = *refusal;
    }
    // The stored duplicates and the day's hours (what the journal holds already and every row of
    // the worker's day), each read for all rows by one statement.
    std::vector<std::size_t> unrefused;
    std::vector<EntryValues> checked;
    for (std::size_t i = 0; i < rows.size(); ++i) {
        if (verdict.refusals[i].isEmpty()) {
            unrefused.push_back(i);
            checked.push_back(rows[i]);
        }
    }
    const std::vector<qint64> stored = storedDuplicates(checked);
    for (std::size_t k = 0; k < unrefused.size(); ++k) {
        if (stored[k] > 0)
            verdict.refusals[unrefused[k]] = QString::fromUtf8(kDuplicateMessage);
    }
    const auto places = rowsByPlace(rows);
    const std::vector<timesheet::DayState> days = timesheet::dayStates(cellsOf(places));
    std::size_t k = 0;
    for (const auto& [place, indexes] : places) {
        qint64 total = days[k++].hours;
        for (const std::size_t i : indexes)
            total += rows[i].hours.trimmed().toLongLong();
        if (total > kMaxDayHours)
            markRows(verdict, indexes, dayHoursMessage(total));
    }
    return verdict;
}

// The checked rows written under the single save's locks, in its order: the duplicate keys,
// then the timesheet months and rows, each sorted. A refusal met on the way (another
// workstation's entry) marks its rows and leaves the transaction uncommitted.
ShiftVerdict writeShift(data::SharedData& db, const std::vector<EntryValues>& rows,
                        std::vector<Place>& changed) {
    ShiftVerdict verdict;
    verdict.refusals.resize(rows.size());
    std::vector<QString> keys;
    for (const EntryValues& v : rows)
        keys.push_back(duplicateLockKey(v));
    std::sort(keys.begin(), keys.end());
    keys.erase(std::unique(keys.begin(), keys.end()), keys.end());
    std::vector<data::LockRequest> locks;
    for (const QString& key : keys)
        locks.push_back({key, data::LockMode::Exclusive});
    data::lockAllForTransaction(locks);
    std::vector<Place> places;
    for (const EntryValues& v : rows)
        places.push_back(placeOf(v));
    lockRows(places);

    // Another workstation may have written one of the entries since the check.
    const std::vector<qint64> stored = storedDuplicates(rows);
    for (std::size_t i = 0; i < rows.size(); ++i) {
        if (stored[i] > 0) {
            verdict.refusals[i] = QString::fromUtf8(kDuplicateMessage);
            return verdict;
        }
    }
    data::Command entryWrite(QStringLiteral("SmenaIU"));
    entryWrite.setSql(insertStatement(rows));
    if (entryWrite.exec() != static_cast<int>(rows.size()))
        throw data::DbError(QStringLiteral("Записаны не все позиции смены"));

    // Each worker's day: its hours checked, then its cell written, once.
    const auto byPlace = rowsByPlace(rows);
    const std::vector<timesheet::DayCell> cells = cellsOf(byPlace);
    const std::vector<timesheet::DayState> days = timesheet::dayStates(cells);
    std::size_t k = 0;
    for (const auto& [place, indexes] : byPlace) {
        const qint64 hours = days[k++].hours;
        if (hours > kMaxDayHours) {
            markRows(verdict, indexes, dayHoursMessage(hours));
            return verdict;
        }
        changed.push_back(place);
    }
    timesheet::writeDayCells(db, cells, days);
    verdict.saved = true;
    return verdict;
}

}  // namespace

Verdict saveEntry(data::SharedData& db, const EntryValues& v, std::optional<qint64> changedId) {
    return save(db, v, changedId, nullptr);
}

Verdict saveEntry(data::SharedData& db, const EntryValues& v, const EntryChange& change) {
    return save(db, v, change.id, &change);
}

Verdict deleteEntry(data::SharedData& db, data::Command& command, qint64 id) {
    data::Transaction transaction;
    const std::optional<Place> place = lockedPlace(db, id);
    if (!place)
        return Verdict::gone();
    lockRows({*place});
    if (command.exec() == 0)
        return Verdict::gone();
    if (place->date.isValid())
        timesheet::followLeftDay(db, cellOf(*place));
    announce({*place});
    transaction.commit();
    return Verdict::savedRow(id);
}

ShiftVerdict saveShift(data::SharedData& db, const std::vector<EntryValues>& rows) {
    ShiftVerdict verdict = checkShift(db, rows);
    if (rows.empty() || verdict.refused())
        return verdict;
    std::vector<Place> changed;
    data::Transaction transaction;
    verdict = writeShift(db, rows, changed);
    if (verdict.saved) {
        announce(changed);
        transaction.commit();
    }
    return verdict;
}

}  // namespace entry
