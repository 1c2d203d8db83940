#include "ui/window.h"

#include "ui/error_display.h"
#include "ui/message_box.h"

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

Window::Window(QWidget* parent) : QDialog(parent) {}

void Window::changeEvent(QEvent* event) {
    QDialog::changeEvent(event);
    if (event->type() == QEvent::ActivationChange && isActiveWindow() && isVisible() &&
        !messageBoxJustClosed())
        runGuarded([this] { FormActivate(); });
}

}  // namespace ui
