#pragma once

#include <QElapsedTimer>
#include <QString>

class SpreadsheetBridge;
namespace printing {
class WorkProgress;
}

// An export watched by a progress window: it stays live while the rows are written and the
// workbook saved, and "Отмена" stops the export, leaving no workbook behind. Without a watcher
// (nullptr) each of these does what the plain export does.
namespace exporting {

// Between the rows of an export: a few times a second the watcher is told the work goes on (it
// shows itself and hears "Отмена"); once cancelled, the export stops here with
// printing::WorkCancelled.
class RowWatch {
public:
    explicit RowWatch(printing::WorkProgress* progress);
    void rowWritten();

private:
    printing::WorkProgress* progress_;
    QElapsedTimer sinceTold_;
};

// Holds the bridge's workbook while an export fills it: when the export ends without saving it
// (cancelled, failed), the workbook and its partly written file are dropped at once.
class UnsavedWorkbook {
public:
    explicit UnsavedWorkbook(SpreadsheetBridge& bridge) : bridge_(bridge) {}
    ~UnsavedWorkbook();
    UnsavedWorkbook(const UnsavedWorkbook&) = delete;
    UnsavedWorkbook& operator=(const UnsavedWorkbook&) = delete;

private:
    SpreadsheetBridge& bridge_;
};

// Saves the bridge's workbook (SpreadsheetBridge::save) off this thread while the watcher is told
// the work goes on. Cancelled meanwhile, the saved workbook is removed once the save has ended
// and printing::WorkCancelled thrown; ExportError as save() throws it.
QString saveWatched(SpreadsheetBridge& bridge, printing::WorkProgress* progress);

}  // namespace exporting
