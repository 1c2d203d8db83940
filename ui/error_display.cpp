#include "ui/error_display.h"

#include "data/c_numeric_locale.h"
#include "ui/action_scope.h"
#include "ui/captioned_error.h"
#include "ui/dialogs.h"

#include <QWidget>

namespace ui {

void showException(const std::exception_ptr& error) {
    try {
        std::rethrow_exception(error);
    } catch (const CaptionedError& e) {
        for (const QString& text : e.texts())
            showMessage({text, e.caption(), Icon::Stop, Buttons::Ok});
    } catch (const std::exception& e) {
        // A database error carries the driver's own text (data::DbError, UTF-8).
        showRefusal(QString::fromUtf8(e.what()));
    } catch (...) {
        showRefusal(QStringLiteral("Неизвестная ошибка"));
    }
}

namespace {
QString activeWindowName() {
    const QWidget* window = QApplication::activeModalWidget();
    if (!window)
        window = QApplication::activeWindow();
    return window ? window->objectName() : QString();
}
}  // namespace

bool runGuarded(const std::function<void()>& handler, const QString& label) {
    // Timed work waits until the handler has finished.
    const ActionScope action(label.isEmpty() ? activeWindowName() : label);
    try {
        handler();
        return true;
    } catch (...) {
        showException(std::current_exception());
        return false;
    }
}

Application::Application(int& argc, char** argv) : QApplication(argc, argv) {
    data::pinClassicNumericLocale();
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
