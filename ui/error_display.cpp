#include "ui/error_display.h"

#include "data/busy.h"
#include "data/db_error.h"
#include "ui/dialogs.h"
#include "ui/wait_cursor.h"

#include <memory>

namespace ui {

void showException(const std::exception_ptr& error) {
    try {
        std::rethrow_exception(error);
    } catch (const data::DbError& e) {
        showRefusal(e.message());
    } catch (const std::exception& e) {
        showRefusal(QString::fromLocal8Bit(e.what()));
    } catch (...) {
        showRefusal(QStringLiteral("Неизвестная ошибка"));
    }
}

bool runGuarded(const std::function<void()>& handler) {
    try {
        handler();
        return true;
    } catch (...) {
        showException(std::current_exception());
        return false;
    }
}

Application::Application(int& argc, char** argv) : QApplication(argc, argv) {
    // The data layer's statements show the wait cursor while the server works.
    data::setBusyIndicator([] {
        auto cursor = std::make_shared<WaitCursor>();
        return [cursor]() mutable { cursor.reset(); };
    });
}

Application::~Application() {
    data::setBusyIndicator({});
}

bool Application::notify(QObject* receiver, QEvent* event) {
    try {
        return QApplication::notify(receiver, event);
    } catch (...) {
        showException(std::current_exception());
        return false;
    }
}

}  // namespace ui
