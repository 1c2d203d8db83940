#include "ui/stale_input.h"

#include "ui/action_scope.h"
#include "ui/dialogs.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QEvent>
#include <QGuiApplication>
#include <QObject>
#include <QTimer>
#include <memory>

namespace ui {

namespace {

bool isInput(QEvent::Type type) {
    switch (type) {
        case QEvent::MouseButtonPress:
        case QEvent::MouseButtonRelease:
        case QEvent::MouseButtonDblClick:
        case QEvent::KeyPress:
        case QEvent::KeyRelease:
        case QEvent::ShortcutOverride:
        case QEvent::Shortcut:
        case QEvent::Wheel:
        case QEvent::TouchBegin:
        case QEvent::TouchUpdate:
        case QEvent::TouchEnd:
        case QEvent::TabletPress:
        case QEvent::TabletRelease:
        case QEvent::ContextMenu:
            return true;
        default:
            return false;
    }
}

// Swallows input while the events queued during a wait are handed out.
class InputDropper : public QObject {
public:
    int dropped = 0;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (!isInput(event->type()))
            return QObject::eventFilter(watched, event);
        if (event->type() == QEvent::MouseButtonPress || event->type() == QEvent::KeyPress)
            ++dropped;
        return true;
    }
};

int& waitDepth() {
    static int depth = 0;
    return depth;
}

// Hands out what was queued during the wait, its input dropped. Timers wait for the next turn of
// the event loop: the action that waited goes on first.
int dropQueuedInput() {
    // Part of the action that waited: a window activated meanwhile runs its activation after it,
    // not in the middle of it (the connection may be closed or half-way through a change).
    const ActionScope handingOut;
    InputDropper dropper;
    qApp->installEventFilter(&dropper);
    for (int pass = 0; pass < 2; ++pass)
        QCoreApplication::processEvents(QEventLoop::X11ExcludeTimers);
    qApp->removeEventFilter(&dropper);
    return dropper.dropped;
}

}  // namespace

const char* droppedInputMessage() {
    return "Пока программа ждала ответа сервера базы данных, нажатия клавиш и мыши не "
           "выполнялись. Повторите нужное действие.";
}

std::function<void()> beginServerWait() {
    if (!qobject_cast<QGuiApplication*>(QCoreApplication::instance()))
        return [] {};
    ++waitDepth();
    auto since = std::make_shared<QElapsedTimer>();
    since->start();
    return [since] {
        if (--waitDepth() > 0 || since->elapsed() < kDropAfterMilliseconds)
            return;
        const int dropped = dropQueuedInput();
        if (dropped == 0 || since->elapsed() < kLongServerWaitMilliseconds)
            return;
        // Told after the action that waited has gone on, not inside its statement.
        QTimer::singleShot(0, qApp, [] {
            showMessage({QString::fromUtf8(droppedInputMessage()), QStringLiteral("Внимание"),
                         Icon::Information, Buttons::Ok});
        });
    };
}

}  // namespace ui
