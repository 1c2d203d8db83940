#pragma once

#include <QApplication>
#include <QString>
#include <exception>
#include <functional>
#include <type_traits>

namespace ui {

// The application's error display: what an escaping exception carries (the driver's text for
// database errors) in a stop box.
void showException(const std::exception_ptr& error);

// Runs an event handler as one action (ui/action_scope.h) labelled action (without one, by the
// objectName of the active window); whatever escapes it is shown by the error display and the
// handler ends there. Returns false when the handler failed.
bool runGuarded(const std::function<void()>& handler, const QString& action = {});

// Wraps a handler for connect(): every window connects its handlers through this.
// Signal arguments the handler does not take (a button's checked flag) are dropped. The action
// label, when given, says what the handler does.
template <typename F>
auto guarded(QString action, F handler) {
    return [handler, action](auto&&... args) {
        runGuarded(
            [&] {
                if constexpr (std::is_invocable_v<const F&, decltype(args)...>)
                    handler(args...);
                else
                    handler();
            },
            action);
    };
}
template <typename F>
auto guarded(F handler) {
    return guarded(QString(), std::move(handler));
}

// The application object: errors that escape any event reach the error display instead of
// ending the process.
class Application : public QApplication {
public:
    Application(int& argc, char** argv);
    bool notify(QObject* receiver, QEvent* event) override;
};

}  // namespace ui
