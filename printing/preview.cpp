#include "printing/preview.h"

#include "printing/prepare.h"
#include "printing/preview_window.h"
#include "printing/work_progress.h"
#include "ui/modal.h"
#include "ui/wait_cursor.h"

#include <QGuiApplication>
#include <QScreen>
#include <memory>
#include <optional>

namespace printing {

namespace {
constexpr int kPagesBeforePreview = 2;

std::function<void(const PreparedReport&)>& previewHook() {
    static std::function<void(const PreparedReport&)> hook;
    return hook;
}

// Shows the pages until the window is closed. The wait cursor (when given one) stays until the
// first page is on screen.
void showPages(const PagedReport& report, std::unique_ptr<ui::WaitCursor> wait) {
    PreviewWindow window(report);
    if (!wait)
        wait = std::make_unique<ui::WaitCursor>();
    auto* pending = wait.release();
    auto done = std::make_shared<std::unique_ptr<ui::WaitCursor>>(pending);
    QObject::connect(window.view(), &PageView::firstPageDrawn, &window, [done] { done->reset(); });
    // Maximised; the geometry too, for desktops without a window manager that would maximise it.
    if (const QScreen* screen = QGuiApplication::primaryScreen())
        window.setGeometry(screen->availableGeometry());
    window.setWindowState(window.windowState() | Qt::WindowMaximized);
    ui::showModal(&window);
    done->reset();  // a report closed before any page was drawn
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
    showPages(WholeReport(report), nullptr);
}

void previewReport(const Layout& layout, const RowSource& rows, WorkProgress* progress,
                   RowFeed* feed) {
    auto wait = std::make_unique<ui::WaitCursor>();
    if (previewHook()) {
        const PreparedReport report = prepare(layout, rows, progress, feed);
        if (progress)
            progress->finished();
        wait.reset();
        showPreview(report);
        return;
    }
    // The first pages are laid out before the preview shows, the rest (and the rows they need)
    // while it shows; a page's items are made as it comes into view; printing and PDF output
    // make every one.
    const LaidOutReport report(layout, rows, progress, kPagesBeforePreview, feed);
    if (progress)
        progress->finished();
    showPages(report, std::move(wait));
}

}  // namespace printing
