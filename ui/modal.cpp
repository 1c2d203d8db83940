#include "ui/modal.h"

#include "ui/action_scope.h"
#include "ui/window.h"

#include <QCoreApplication>

namespace ui {

namespace {
std::function<int(QWidget*)>& hook() {
    static std::function<int(QWidget*)> h;
    return h;
}
}  // namespace

void setModalHook(std::function<int(QWidget*)> h) {
    hook() = std::move(h);
}

void clearModalHook() {
    hook() = nullptr;
}

int showModal(QDialog* window) {
    centreOnMainWindow(window);
    const ActionPause newActions;  // the window's loop serves actions of its own
    if (!hook())
        return window->exec();

    bool finished = false;
    int result = QDialog::Rejected;
    const auto connection = QObject::connect(window, &QDialog::finished, window, [&](int r) {
        finished = true;
        result = r;
    });
    window->setResult(0);
    window->show();
    QCoreApplication::processEvents();  // lets the window be activated as on a desktop
    const auto callHook = hook();       // the hook may replace itself while it runs
    const int hookResult = callHook(window);
    QObject::disconnect(connection);
    if (!finished) {
        result = hookResult;
        window->setResult(hookResult);
        window->hide();
    }
    return result;
}

}  // namespace ui
