#include "ui/wait_cursor.h"

#include <QCursor>
#include <QGuiApplication>

namespace ui {

WaitCursor::WaitCursor() {
    if (!qGuiApp)
        return;
    const QCursor* current = QGuiApplication::overrideCursor();
    if (current && current->shape() == Qt::WaitCursor)
        return;
    QGuiApplication::setOverrideCursor(QCursor(Qt::WaitCursor));
    shown_ = true;
}

WaitCursor::~WaitCursor() {
    if (shown_ && QGuiApplication::overrideCursor())
        QGuiApplication::restoreOverrideCursor();
}

void restoreDefaultCursor() {
    if (!qGuiApp)
        return;
    while (QGuiApplication::overrideCursor())
        QGuiApplication::restoreOverrideCursor();
}

}  // namespace ui
