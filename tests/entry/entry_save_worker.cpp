// A second workstation for the concurrency tests, on its own connection to the test database.
// It answers by its exit code: 0 done, 1 refused (a duplicate, a refused save, an entry already
// gone), 2 failed.
//   entry_save_worker W PRODUCT OPERATION PRICE QUANTITY DEFECTS HOURS DD.MM.YYYY SHIFT COLOUR
//       saves one entry;
//   entry_save_worker delete ID
//       deletes an entry as the journal's "Удалить" does;
//   entry_save_worker churn YYYY-MM WORKERS STEPS SEED
//       STEPS random saves, changes and deletions of entries of that month, by workers 1..WORKERS.
// PLANT_LOCK_WAIT_MS, when set, is its wait for a lock in milliseconds.
#include "app/journal_statements.h"
#include "data/connection.h"
#include "data/data_module.h"
#include "entry/entry_save.h"

#include <QCoreApplication>
#include <QRandomGenerator>
#include <QTextStream>
#include <exception>

namespace {

// This workstation's shared data, connected in main.
data::SharedData* shared = nullptr;

int deleteEntry(qint64 id) {
    shared->entryDeletion.setSql(journal::statements::deleteEntry(id));
    return entry::deleteEntry(*shared, shared->entryDeletion, id) == data::Verdict::Kind::Saved ? 0
                                                                                                : 1;
}

// An entry of the month somebody may be changing or deleting meanwhile; 0 when there is none.
qint64 someEntryOf(const QDate& first, QRandomGenerator& random) {
    const QString range = QStringLiteral(" from accounts_dep.smena where data>='%1' and data<'%2'")
                              .arg(first.toString(Qt::ISODate))
                              .arg(first.addMonths(1).toString(Qt::ISODate));
    const qint64 n = shared->countOf(QStringLiteral("select count(*) as cnt") + range);
    if (n == 0)
        return 0;
    return shared->readOneRow(
        QStringLiteral("select id") + range + QStringLiteral(" order by id offset ") +
            QString::number(random.bounded(n)) + QStringLiteral(" limit 1"),
        [](const data::Dataset& q) { return q.isEmpty() ? 0 : q.asInt64(QStringLiteral("id")); });
}

int churn(const QDate& first, int workers, int steps, quint32 seed) {
    QRandomGenerator random(seed);
    for (int step = 0; step < steps; ++step) {
        entry::EntryValues v;
        v.workerId = 1 + random.bounded(workers);
        v.productId = 1;
        v.operationId = 1 + random.bounded(100000);
        v.price = 1;
        v.quantity = QStringLiteral("1");
        v.defects = QStringLiteral("0");
        v.hours = QString::number(random.bounded(4));
        v.date = first.addDays(random.bounded(first.daysInMonth()));
        v.shift = 1 + random.bounded(4);
        v.inputDate = first;
        const int what = random.bounded(3);
        if (what == 0) {
            entry::saveEntry(*shared, v);
        } else if (const qint64 id = someEntryOf(first, random); id != 0) {
            if (what == 1)
                entry::saveEntry(*shared, v, id);  // moved to another worker, shift or day
            else
                deleteEntry(id);
        }
    }
    return 0;
}

}  // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    const QStringList a = app.arguments();
    try {
        data::SharedData db;
        shared = &db;
        db.connection.open(data::composeConnectionString(qEnvironmentVariable("PLANT_TEST_DB"),
                                                         qEnvironmentVariable("PLANT_TEST_HOST")));
        // A workstation that waits longer for locks than the client does.
        if (qEnvironmentVariableIsSet("PLANT_LOCK_WAIT_MS"))
            data::setLockWaitLimit(qEnvironmentVariableIntValue("PLANT_LOCK_WAIT_MS"));
        if (a.size() == 3 && a[1] == QLatin1String("delete"))
            return deleteEntry(a[2].toLongLong());
        if (a.size() == 6 && a[1] == QLatin1String("churn"))
            return churn(QDate::fromString(a[2] + QStringLiteral("-01"), Qt::ISODate), a[3].toInt(),
                         a[4].toInt(), a[5].toUInt());
        if (a.size() != 11)
            return 2;
        entry::EntryValues v;
        v.workerId = a[1].toInt();
        v.productId = a[2].toInt();
        v.operationId = a[3].toInt();
        v.price = a[4].toDouble();
        v.quantity = a[5];
        v.defects = a[6];
        v.hours = a[7];
        v.date = QDate::fromString(a[8], QStringLiteral("dd.MM.yyyy"));
        v.shift = a[9].toInt();
        v.colour = a[10].toInt();
        v.inputDate = QDate::currentDate();
        return entry::saveEntry(*shared, v) == data::Verdict::Kind::Saved ? 0 : 1;
    } catch (const std::exception& e) {
        QTextStream(stderr) << e.what() << '\n';
        return 2;
    }
}
