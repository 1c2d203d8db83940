#pragma once

#include "printing/prepared_report.h"
#include "printing/row_source.h"

#include <functional>

namespace printing {

struct Layout;
class WorkProgress;

// While a hook is set, a previewed report is prepared and handed to the hook instead of the
// preview window.
void setPreviewHook(std::function<void(const PreparedReport&)> hook);
void clearPreviewHook();

// Shows the prepared report in the print preview (maximised, at page width or the whole page as
// the layout asks) and returns when the user closes it; printing and PDF output are offered there.
void showPreview(const PreparedReport& report);

// Prepares the layout over the rows, then previews it (or hands it to the hook). With progress,
// the layout tells it how far it has come and stops (WorkCancelled) when it is cancelled: then
// nothing is previewed. With a feed (rows that come in parts), the preview shows once the rows
// of its first pages are read; the rest are read and laid out between the preview's events.
void previewReport(const Layout& layout, const RowSource& rows, WorkProgress* progress = nullptr,
                   RowFeed* feed = nullptr);

}  // namespace printing
