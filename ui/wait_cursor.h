#pragma once

namespace ui {

// Shows the wait cursor for its lifetime; the normal cursor comes back even when an error
// unwinds through it.
class WaitCursor {
public:
    WaitCursor();
    ~WaitCursor();
    WaitCursor(const WaitCursor&) = delete;
    WaitCursor& operator=(const WaitCursor&) = delete;
};

// Sets the mouse cursor back to the default (what exports do when a workbook cannot be opened).
void restoreDefaultCursor();

}  // namespace ui
