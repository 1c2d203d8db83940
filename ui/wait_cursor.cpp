#include "ui/wait_cursor.h"

#include "ui/stale_input.h"

#include <memory>

#include <QCursor>
#include <QGuiApplication>

namespace ui {

WaitCursor::WaitCursor() {
    if (!qGuiApp)
        return;
    const QCursor* current = QGuiApplication::overrideCursor();
    if (current && current->shape() == Qt::WaitCursor)
        return;
    QGuiApplication::setOverrideCursor(QCursor(Qt::WaitCursor));
    shown_ = true;
}

WaitCursor::~WaitCursor() {
    if (shown_ && QGuiApplication::overrideCursor())
        QGuiApplication::restoreOverrideCursor();
}

void restoreDefaultCursor() {
    if (!qGuiApp)
        return;
    while (QGuiApplication::overrideCursor())
        QGuiApplication::restoreOverrideCursor();
}

std::function<void()> showWaitCursor() {
    auto cursor = std::make_shared<WaitCursor>();
    auto wait = std::make_shared<std::function<void()>>(beginServerWait());
    return [cursor, wait]() mutable {
        cursor.reset();
        if (wait) {
            (*wait)();
            wait.reset();
        }
    };
}

}  // namespace ui
