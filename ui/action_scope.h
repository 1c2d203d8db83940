#pragma once

#include <QObject>
#include <functional>

namespace ui {

// Marks a user's action while it lives: an event handler with every statement, export or report
// it runs, including the events it processes between its steps. Scopes nest; ui::runGuarded opens
// one around every handler.
class ActionScope {
public:
    ActionScope();
    ~ActionScope();
    ActionScope(const ActionScope&) = delete;
    ActionScope& operator=(const ActionScope&) = delete;
};

// While it lives, the actions in progress are set aside: a modal window's own event loop, in which
// the user starts actions anew, is no part of the action that opened it.
class ActionPause {
public:
    ActionPause();
    ~ActionPause();
    ActionPause(const ActionPause&) = delete;
    ActionPause& operator=(const ActionPause&) = delete;

private:
    int paused_;
};

bool actionInProgress();

// Runs task now when no action is in progress; otherwise once, from the event loop, after the
// action has finished. While a task of context waits, further ones of context are dropped (timer
// ticks that came during one long action run once). Dropped with context.
void runWhenNoAction(QObject* context, const std::function<void()>& task);

}  // namespace ui
