#include "timesheet/month_lock.h"

#include "data/transaction.h"

#include <QString>
#include <algorithm>

namespace timesheet {

namespace {

QString monthKey(int month, int year) {
    return QStringLiteral("h_tabel:%1:%2").arg(month).arg(year);
}

QString rowKey(const RowKey& r) {
    return QStringLiteral("h_tabel:%1:%2:%3:%4")
        .arg(r.worker)
        .arg(r.shift)
        .arg(r.month)
        .arg(r.year);
}

}  // namespace

RowKey rowKeyOf(int worker, int shift, const QDate& day) {
    return RowKey{day.year(), day.month(), worker, shift};
}

void lockMonthForRebuild(int month, int year, printing::WorkProgress* progress) {
    data::lockForTransaction(monthKey(month, year), data::LockMode::Exclusive, progress);
}

void lockRowsForRecalc(std::vector<RowKey> rows) {
    std::sort(rows.begin(), rows.end());
    rows.erase(std::unique(rows.begin(), rows.end()), rows.end());
    // Rows are ordered by year and month first, so their months come out in ascending order too.
    std::vector<data::LockRequest> locks;
    for (std::size_t i = 0; i < rows.size(); ++i) {
        if (i == 0 || rows[i].year != rows[i - 1].year || rows[i].month != rows[i - 1].month)
            locks.push_back({monthKey(rows[i].month, rows[i].year), data::LockMode::Shared});
    }
    for (const RowKey& r : rows)
        locks.push_back({rowKey(r), data::LockMode::Exclusive});
    data::lockAllForTransaction(locks);
}

}  // namespace timesheet
