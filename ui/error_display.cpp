#include "ui/error_display.h"

#include "ui/action_scope.h"
#include "ui/dialogs.h"

namespace ui {

void showException(const std::exception_ptr& error) {
    try {
        std::rethrow_exception(error);
    } catch (const std::exception& e) {
        // A database error carries the driver's own text (data::DbError, UTF-8).
        showRefusal(QString::fromUtf8(e.what()));
    } catch (...) {
        showRefusal(QStringLiteral("Неизвестная ошибка"));
    }
}

bool runGuarded(const std::function<void()>& handler) {
    const ActionScope action;  // timed work waits until the handler has finished
    try {
        handler();
        return true;
    } catch (...) {
        showException(std::current_exception());
        return false;
    }
}

Application::Application(int& argc, char** argv) : QApplication(argc, argv) {}

bool Application::notify(QObject* receiver, QEvent* event) {
    try {
        return QApplication::notify(receiver, event);
    } catch (...) {
        showException(std::current_exception());
        return false;
    }
}

}  // namespace ui
