#include "ui/window.h"

#include "ui/action_scope.h"
#include "ui/error_display.h"
#include "ui/message_box.h"

#include <QApplication>
#include <QEvent>
#include <QLayout>
#include <QPointer>
#include <QScreen>
#include <algorithm>

namespace ui {

namespace {
QPointer<QWidget>& mainWindow() {
    static QPointer<QWidget> window;
    return window;
}

// Watches every top-level window of the client becoming active. A window's activation runs when
// it is the first window, or when the focus comes to it from another window of this client. The
// focus coming back from another application (the same window active last) or from a message box
// is no activation.
class ActivationTracker : public QObject {
public:
    using QObject::QObject;

    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() != QEvent::WindowActivate || !watched->isWidgetType())
            return false;
        auto* w = static_cast<QWidget*>(watched);
        if (!w->isWindow())
            return false;
        const bool fromAnotherWindow =
            !anyActive_ || (lastActive_ != w && !lastActiveWasMessageBox_);
        anyActive_ = true;
        lastActive_ = w;  // compared, never followed: a message box is gone once it closed
        lastActiveWasMessageBox_ = messageBoxShown();
        if (auto* window = qobject_cast<Window*>(w); window && fromAnotherWindow && w->isVisible())
            activate(window);
        return false;
    }

private:
    // An activation that arrives while an action waits on the server (its queued events are
    // handed out when the wait ends) runs once that action is over: the action may have the
    // connection closed or half-way through a change.
    static void activate(Window* window) {
        if (!actionInProgress()) {
            runGuarded([window] { window->windowActivated(); });
            return;
        }
        auto* pending = window->findChild<QObject*>(QStringLiteral("pendingActivation"),
                                                    Qt::FindDirectChildrenOnly);
        if (!pending) {
            pending = new QObject(window);
            pending->setObjectName(QStringLiteral("pendingActivation"));
        }
        runWhenNoAction(pending, [window] {
            if (window->isVisible())
                runGuarded([window] { window->windowActivated(); });
        });
    }

    bool anyActive_ = false;
    const QObject* lastActive_ = nullptr;
    bool lastActiveWasMessageBox_ = false;
};

void trackActivations() {
    static ActivationTracker* tracker = nullptr;
    if (tracker || !qApp)
        return;
    tracker = new ActivationTracker(qApp);
    qApp->installEventFilter(tracker);
}

}  // namespace

void setMainWindow(QWidget* window) {
    mainWindow() = window;
}

void centreOnMainWindow(QWidget* window) {
    QWidget* anchor = mainWindow();
    if (!anchor || anchor == window || !anchor->isVisible() || window->isVisible())
        return;
    window->ensurePolished();
    if (!window->testAttribute(Qt::WA_Resized))
        window->adjustSize();  // the size it will open with
    // The frame is known once the window has been on screen; before, take the main window's.
    QSize frame = window->frameGeometry().size();
    if (frame == window->size())
        frame += anchor->frameGeometry().size() - anchor->size();
    QRect placed(QPoint(), frame);
    placed.moveCenter(anchor->frameGeometry().center());
    if (const QScreen* screen = anchor->screen()) {
        const QRect room = screen->availableGeometry();
        if (placed.width() <= room.width())
            placed.moveLeft(
                std::clamp(placed.left(), room.left(), room.right() - placed.width() + 1));
        else
            placed.moveLeft(room.left());
        if (placed.height() <= room.height())
            placed.moveTop(
                std::clamp(placed.top(), room.top(), room.bottom() - placed.height() + 1));
        else
            placed.moveTop(room.top());
    }
    window->move(placed.topLeft());
}

void fixSize(QDialog* dialog, QSize size) {
    if (size.isValid())
        dialog->setFixedSize(size);
    else if (dialog->layout())
        dialog->layout()->setSizeConstraint(QLayout::SetFixedSize);
    dialog->setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                           Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint);
}

Window::Window(QWidget* parent) : QDialog(parent) {
    trackActivations();
}

}  // namespace ui
