#pragma once

#include "test_database.h"

#include <QElapsedTimer>
#include <QProgressDialog>
#include <QPushButton>
#include <QStringList>
#include <QTimer>
#include <QWidget>

// Presses "Отмена" in the progress window of long work under a window as soon as it shows,
// noting when it showed and how many of the database's statements waited for a lock then.
namespace testing_support {

class CancelWhenShown {
public:
    explicit CancelWhenShown(QWidget& window) : window_(window) {
        look_.setInterval(20);
        QObject::connect(&look_, &QTimer::timeout, [this] { look(); });
        clock_.start();
        look_.start();
    }

    qint64 shownAt = -1;      // ms after this watch began; -1: never shown
    qint64 cancelledAt = -1;  // ms after this watch began
    int waitingForLock = -1;  // the database's statements waiting for a lock when it showed

    qint64 elapsed() const { return clock_.elapsed(); }

private:
    void look() {
        if (shownAt >= 0)
            return;
        auto* dialog = window_.findChild<QProgressDialog*>(QStringLiteral("reportProgress"));
        if (!dialog || !dialog->isVisible())
            return;
        shownAt = clock_.elapsed();
        waitingForLock = testdb::scalar(
                             "select count(*) from pg_stat_activity where datname = "
                             "current_database() and state = 'active' and wait_event_type = 'Lock'")
                             .toInt();
        for (QPushButton* b : dialog->findChildren<QPushButton*>())
            if (b->text() == QStringLiteral("Отмена")) {
                cancelledAt = clock_.elapsed();
                b->click();
            }
        look_.stop();
    }

    QWidget& window_;
    QTimer look_;
    QElapsedTimer clock_;
};

// Client sessions of the test database other than the checking one and `except` that work on a
// statement or hold a transaction or a snapshot, as "pid state: query" (autovacuum's workers,
// which hold snapshots of their own, are not clients).
inline QStringList busySessions(int except) {
    QStringList out;
    for (const QVariantList& r : testdb::rows(
             QString("select pid, state, query from pg_stat_activity where datname = "
                     "current_database() and backend_type = 'client backend' and pid <> "
                     "pg_backend_pid() and pid <> %1 and (state <> 'idle' or backend_xid is not "
                     "null or backend_xmin is not null)")
                 .arg(except)))
        out << r[0].toString() + " " + r[1].toString() + ": " + r[2].toString();
    return out;
}

inline int temporaryTables() {
    return testdb::scalar("select count(*) from pg_class where relpersistence = 't'").toInt();
}

}  // namespace testing_support
