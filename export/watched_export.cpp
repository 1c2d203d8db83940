#include "export/watched_export.h"

#include "export/spreadsheet_bridge.h"
#include "printing/work_progress.h"

#include <QFile>
#include <chrono>
#include <exception>
#include <future>

namespace exporting {

namespace {
// Often enough for the progress window to appear in time and "Отмена" to be heard at once,
// seldom enough that the rows are not slowed by handling events.
constexpr qint64 kTellEveryMs = 40;
}  // namespace

RowWatch::RowWatch(printing::WorkProgress* progress) : progress_(progress) {
    sinceTold_.start();
}

void RowWatch::rowWritten() {
    if (!progress_ || sinceTold_.elapsed() < kTellEveryMs)
        return;
    sinceTold_.start();
    progress_->serverWorking();
    printing::stopIfCancelled(progress_);
}

UnsavedWorkbook::~UnsavedWorkbook() {
    bridge_.discard();  // nothing held once saved
}

QString saveWatched(SpreadsheetBridge& bridge, printing::WorkProgress* progress) {
    if (!progress)
        return bridge.save();
    printing::stopIfCancelled(progress);
    // The bridge is this call's alone until the save ends: nothing else touches it meanwhile.
    std::future<QString> saved =
        std::async(std::launch::async, [&bridge] { return bridge.save(); });
    while (saved.wait_for(std::chrono::milliseconds(kTellEveryMs)) != std::future_status::ready)
        progress->serverWorking();
    const QString path = saved.get();  // ExportError as the bridge threw it
    if (progress->cancelled()) {
        QFile::remove(path);
        throw printing::WorkCancelled();
    }
    return path;
}

}  // namespace exporting
