#include "app/journal_marks.h"

#include "app/journal_rules.h"
#include "app/journal_statements.h"
#include "data/change.h"
#include "data/command.h"
#include "data/transaction.h"
#include "entry/entry_save.h"

#include <algorithm>

namespace journal {

namespace {
// Writes the mark of one entry; the number of rows it changed.
int markOne(data::Command& command, qint64 id, const QString& mark) {
    command.setParam(QStringLiteral("ok"), mark);
    command.setParam(QStringLiteral("id"), id);
    return command.exec();
}
}  // namespace

data::Verdict writeMark(qint64 id, const QString& mark, const QDate& date, int shift) {
    data::Command command(QStringLiteral("updtOK"), statements::updateMark());
    data::Transaction transaction;
    if (markOne(command, id, mark) == 0)
        return data::Verdict::gone();
    data::announce(data::Change::journal(date, shift));
    transaction.commit();
    return data::Verdict::savedRow(id);
}

data::Verdict markEntries(std::vector<qint64> ids, bool accept, const QDate& date, int shift) {
    std::sort(ids.begin(), ids.end());
    data::Command command(QStringLiteral("updtOK"), statements::updateMark());
    const QString mark = markFor(accept);
    int gone = 0;
    data::Transaction transaction;
    for (const qint64 id : ids) {
        if (markOne(command, id, mark) == 0)
            ++gone;
    }
    data::announce(data::Change::journal(date, shift));
    transaction.commit();
    if (gone > 0)
        return data::Verdict::refusal(data::Verdict::Kind::Gone,
                                      goneMarksMessage(gone, static_cast<int>(ids.size())));
    return {};
}

data::Verdict deleteEntry(data::SharedData& db, qint64 id) {
    data::Command command(QStringLiteral("DelSmena"), statements::deleteEntry(id));
    return entry::deleteEntry(db, command, id);
}

}  // namespace journal
