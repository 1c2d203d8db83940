#pragma once

#include <QString>
#include <functional>

class QWidget;
namespace printing {
class WorkProgress;
}

namespace reports {

// Runs long work other than a report (a month rebuild, an export) under the report's progress
// window (ReportProgress), titled title, over window: it appears a third of a second after the
// start, also while the server runs a statement, and its "Отмена" stops the work (the work ends
// with printing::WorkCancelled, having undone what it started). Returns false when it was
// cancelled; other errors propagate. The progress window is gone afterwards however the work
// ended.
bool runWatched(QWidget* window, const QString& title,
                const std::function<void(printing::WorkProgress&)>& work);

}  // namespace reports
