#pragma once

#include "printing/work_progress.h"

#include <QElapsedTimer>

class QProgressDialog;
class QWidget;

namespace reports {

// The small modal window that follows a report's run: the rows read, then the pages laid out,
// and "Отмена". It appears once the run has taken a moment (a third of a second), also while the
// server still runs the report's statement; while it shows, no other window takes input.
// "Отмена" stops the server's statement at once, and the reading or laying out at its next part
// (the next block of rows, the next few pages).
class ReportProgress : public printing::WorkProgress {
public:
    explicit ReportProgress(QWidget* parent);
    ~ReportProgress() override;
    ReportProgress(const ReportProgress&) = delete;
    ReportProgress& operator=(const ReportProgress&) = delete;

    // A run begins: the second until the window appears starts now.
    void start();

    void rowsRead(int rows) override;
    void pagesMade(int pages, int rowsLaidOut, int rows) override;
    void serverWorking() override;
    bool cancelled() const override;
    void finished() override;  // hidden, and nothing of the run left

private:
    enum class Stage { None, Reading, LayingOut };
    void show(Stage stage, const QString& text, int value, int maximum);

    QProgressDialog* dialog_;
    Stage stage_ = Stage::None;
    QElapsedTimer sinceShown_;  // since the window last changed
    QElapsedTimer sinceStart_;  // since the run began
};

}  // namespace reports
