#include "app/termination.h"

#include <QCoreApplication>

namespace {
std::function<void()>& hook() {
    static std::function<void()> h;
    return h;
}
}  // namespace

void terminateApplication() {
    if (hook()) {
        hook()();
        return;
    }
    // Leaves every running event loop, modal ones included.
    QCoreApplication::exit(0);
}

void setTerminationHook(std::function<void()> h) {
    hook() = std::move(h);
}

void clearTerminationHook() {
    hook() = nullptr;
}
