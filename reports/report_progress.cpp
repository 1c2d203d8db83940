#include "reports/report_progress.h"

#include <QCoreApplication>
#include <QLocale>
#include <QProgressDialog>

namespace {
// Changing the window's texts costs more than a block of rows: a few times a second is enough.
constexpr qint64 kUpdateEveryMs = 100;
// The window appears this long after the click, whatever the run is doing then.
constexpr int kShowAfterMs = 300;
}  // namespace

reports::ReportProgress::ReportProgress(QWidget* parent) : dialog_(new QProgressDialog(parent)) {
    dialog_->setObjectName(QStringLiteral("reportProgress"));
    dialog_->setWindowTitle(QStringLiteral("Отчет"));
    dialog_->setCancelButtonText(QStringLiteral("Отмена"));
    dialog_->setWindowModality(Qt::ApplicationModal);
    dialog_->setMinimumDuration(kShowAfterMs);
    dialog_->setAutoReset(false);
    dialog_->setAutoClose(false);
    dialog_->setMinimumWidth(320);
    dialog_->reset();
    dialog_->hide();
}

reports::ReportProgress::~ReportProgress() = default;  // the dialog belongs to its parent

void reports::ReportProgress::start() {
    dialog_->reset();
    stage_ = Stage::None;
    dialog_->setLabelText(QStringLiteral("Выполняется запрос..."));
    dialog_->setRange(0, 0);
    dialog_->setValue(0);  // the dialog's wait before it appears starts here
    sinceStart_.start();
}

void reports::ReportProgress::serverWorking() {
    if (!dialog_->isVisible() && !cancelled() && sinceStart_.isValid() &&
        sinceStart_.elapsed() >= kShowAfterMs)
        dialog_->show();
    // Until the modal window shows, a click could reach the window that started the run: it
    // waits, and the shown window then keeps it from every other window.
    QCoreApplication::processEvents(dialog_->isVisible() ? QEventLoop::AllEvents
                                                         : QEventLoop::ExcludeUserInputEvents);
}

void reports::ReportProgress::show(Stage stage, const QString& text, int value, int maximum) {
    if (stage == stage_ && sinceShown_.isValid() && sinceShown_.elapsed() < kUpdateEveryMs)
        return;
    stage_ = stage;
    sinceShown_.start();
    dialog_->setLabelText(text);
    if (dialog_->maximum() != maximum)
        dialog_->setRange(0, maximum);
    // A modal dialog that shows processes events here: "Отмена" is heard.
    dialog_->setValue(value);
}

void reports::ReportProgress::rowsRead(int rows) {
    show(Stage::Reading, QStringLiteral("Прочитано строк: %1").arg(QLocale().toString(rows)), rows,
         0);
}

void reports::ReportProgress::pagesMade(int pages, int rowsLaidOut, int rows) {
    show(Stage::LayingOut,
         QStringLiteral("Подготовлено страниц: %1 (строк %2 из %3)")
             .arg(QLocale().toString(pages), QLocale().toString(rowsLaidOut),
                  QLocale().toString(rows)),
         rowsLaidOut, rows);
}

bool reports::ReportProgress::cancelled() const {
    return dialog_->wasCanceled();
}

void reports::ReportProgress::finished() {
    stage_ = Stage::None;
    sinceStart_.invalidate();
    sinceShown_.invalidate();
    dialog_->reset();
    dialog_->hide();
}
