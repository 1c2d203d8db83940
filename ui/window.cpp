#include "ui/window.h"

#include "ui/error_display.h"
#include "ui/message_box.h"

#include <QEvent>

namespace ui {

Window::Window(QWidget* parent) : QDialog(parent) {}

void Window::changeEvent(QEvent* event) {
    QDialog::changeEvent(event);
    if (event->type() == QEvent::ActivationChange && isActiveWindow() && isVisible() &&
        !messageBoxJustClosed())
        runGuarded([this] { FormActivate(); });
}

}  // namespace ui
