#include "ui/action_scope.h"

#include <QPointer>
#include <QTimer>
#include <utility>
#include <vector>

namespace ui {

namespace {

int depth = 0;

struct Waiting {
    QPointer<QObject> context;
    std::function<void()> task;
};

std::vector<Waiting>& waiting() {
    static std::vector<Waiting> tasks;
    return tasks;
}

// The action has finished: the waiting tasks run from the event loop, each checking again.
void releaseWaiting() {
    std::vector<Waiting> tasks;
    tasks.swap(waiting());
    for (Waiting& w : tasks) {
        if (!w.context)
            continue;
        QObject* context = w.context;
        QTimer::singleShot(0, context,
                           [context, task = std::move(w.task)] { runWhenNoAction(context, task); });
    }
}

QString& label() {
    static QString current;
    return current;
}

}  // namespace

ActionScope::ActionScope(QString doing) : previousLabel_(label()) {
    ++depth;
    if (!doing.isEmpty())
        label() = std::move(doing);
}

ActionScope::~ActionScope() {
    label() = std::move(previousLabel_);
    if (--depth == 0 && !waiting().empty())
        releaseWaiting();
}

QString currentAction() {
    return depth > 0 ? label() : QString();
}

ActionPause::ActionPause() : paused_(depth) {
    depth = 0;
}

ActionPause::~ActionPause() {
    depth = paused_;
}

bool actionInProgress() {
    return depth > 0;
}

void runWhenNoAction(QObject* context, const std::function<void()>& task) {
    if (depth == 0) {
        task();
        return;
    }
    for (const Waiting& w : waiting())
        if (w.context == context)
            return;
    waiting().push_back({context, task});
}

}  // namespace ui
