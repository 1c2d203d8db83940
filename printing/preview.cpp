#include "printing/preview.h"

#include "printing/painter.h"
#include "printing/prepare.h"
#include "ui/modal.h"
#include "ui/wait_cursor.h"

#include <QGuiApplication>
#include <QPrintPreviewDialog>
#include <QPrintPreviewWidget>
#include <QPrinter>
#include <QScreen>
#include <QTimer>
#include <memory>
#include <optional>

namespace printing {

namespace {
std::function<void(const PreparedReport&)>& previewHook() {
    static std::function<void(const PreparedReport&)> hook;
    return hook;
}
}  // namespace

void setPreviewHook(std::function<void(const PreparedReport&)> hook) {
    previewHook() = std::move(hook);
}

void clearPreviewHook() {
    previewHook() = nullptr;
}

void showPreview(const PreparedReport& report) {
    if (previewHook()) {
        const auto hook = previewHook();  // the hook may replace itself while it runs
        hook(report);
        return;
    }
    QPrinter printer(QPrinter::HighResolution);
    setUpPrinter(printer, report);
    QPrintPreviewDialog dialog(&printer);
    if (!report.title.isEmpty())
        dialog.setWindowTitle(report.title);
    // The dialog paints every page it shows into its own picture printer; the pages are already
    // laid out, so this is only drawing.
    QObject::connect(&dialog, &QPrintPreviewDialog::paintRequested, &dialog,
                     [&report](QPrinter* target) { printReport(*target, report); });
    if (auto* view = dialog.findChild<QPrintPreviewWidget*>()) {
        if (report.zoom == PreviewZoom::WholePage)
            view->fitInView();
        else
            view->fitToWidth();
    }
    // Maximised; the geometry too, for desktops without a window manager that would maximise it.
    if (const QScreen* screen = QGuiApplication::primaryScreen())
        dialog.setGeometry(screen->availableGeometry());
    dialog.setWindowState(dialog.windowState() | Qt::WindowMaximized);
    // The dialog paints every page before it shows, seconds on a long period: the wait cursor
    // stays until the dialog is up and takes input.
    auto wait = std::make_shared<std::optional<ui::WaitCursor>>(std::in_place);
    QTimer::singleShot(0, &dialog, [wait] { wait->reset(); });
    ui::showModal(&dialog);
}

void previewReport(const Layout& layout, const RowSource& rows) {
    std::optional<ui::WaitCursor> wait(std::in_place);
    const PreparedReport report = prepare(layout, rows);
    wait.reset();
    showPreview(report);
}

}  // namespace printing
