#include "ui/window.h"

#include "ui/error_display.h"
#include "ui/message_box.h"

#include <QApplication>
#include <QEvent>

namespace ui {

namespace {

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
            runGuarded([window] { window->FormActivate(); });
        return false;
    }

private:
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

Window::Window(QWidget* parent) : QDialog(parent) {
    trackActivations();
}

}  // namespace ui
