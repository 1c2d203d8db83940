#include "reports/watched_work.h"

#include "reports/report_progress.h"

#include <QProgressDialog>
#include <QWidget>
#include <memory>

namespace reports {

bool runWatched(QWidget* window, const QString& title,
                const std::function<void(printing::WorkProgress&)>& work) {
    // The progress window lives for this run only: it belongs to a hidden holder that takes it
    // along when the run ends.
    const std::unique_ptr<QWidget> holder = std::make_unique<QWidget>(window);
    reports::ReportProgress progress(holder.get());
    if (auto* dialog = holder->findChild<QProgressDialog*>())
        dialog->setWindowTitle(title);
    const struct Finish {
        reports::ReportProgress& progress;
        ~Finish() { progress.finished(); }
    } finish{progress};
    progress.start();
    try {
        work(progress);
    } catch (const printing::WorkCancelled&) {
        return false;  // "Отмена": nothing of the work is left
    }
    return true;
}

}  // namespace reports
