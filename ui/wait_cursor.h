#pragma once

#include <functional>

namespace ui {

// Shows the wait cursor for its lifetime; the normal cursor comes back even when an error
// unwinds through it. Inside another wait cursor (an action that runs statements, each of which
// shows one too) it changes nothing; without a graphical application it does nothing.
class WaitCursor {
public:
    WaitCursor();
    ~WaitCursor();
    WaitCursor(const WaitCursor&) = delete;
    WaitCursor& operator=(const WaitCursor&) = delete;

private:
    bool shown_ = false;
};

// The wait cursor as a busy indicator of the data layer (data::setBusyIndicator): showing it
// answers what hides it again. Input queued while it showed is dropped then (ui/stale_input.h).
std::function<void()> showWaitCursor();

// Sets the mouse cursor back to the default (what exports do when a workbook cannot be opened).
void restoreDefaultCursor();

}  // namespace ui
