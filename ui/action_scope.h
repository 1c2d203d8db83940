#pragma once

#include <QObject>
#include <QString>
#include <functional>

namespace ui {

// Marks a user's action while it lives: an event handler with every statement, export or report
// it runs, including the events it processes between its steps. Scopes nest; ui::runGuarded opens
// one around every handler. A label says what the action does (the log of refused statements
// names it); the innermost labelled scope names the action.
class ActionScope {
public:
    explicit ActionScope(QString label = {});
    ~ActionScope();
    ActionScope(const ActionScope&) = delete;
    ActionScope& operator=(const ActionScope&) = delete;

private:
    QString previousLabel_;
};

// The label of the innermost labelled action in progress; empty when none is.
QString currentAction();

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
