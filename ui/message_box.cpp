#include "ui/message_box.h"

#include "ui/dialogs.h"

#include <QApplication>
#include <QCursor>
#include <QGuiApplication>
#include <QMessageBox>

namespace ui {

namespace {
bool& boxShown() {
    static bool shown = false;
    return shown;
}

// While a box waits for the user: the flag set, and the normal cursor, also inside a wait-cursor
// span; both as they were once the box is closed.
class WaitingForUser {
public:
    WaitingForUser() : wasShown_(boxShown()) {
        boxShown() = true;
        QGuiApplication::setOverrideCursor(QCursor(Qt::ArrowCursor));
    }
    ~WaitingForUser() {
        QGuiApplication::restoreOverrideCursor();
        boxShown() = wasShown_;
    }
    WaitingForUser(const WaitingForUser&) = delete;
    WaitingForUser& operator=(const WaitingForUser&) = delete;

private:
    bool wasShown_;
};

Answer presentWithMessageBox(const Message& m) {
    QMessageBox box(QApplication::activeWindow());
    box.setWindowTitle(m.caption);
    box.setText(m.text);
    switch (m.icon) {
        case Icon::Stop:
            box.setIcon(QMessageBox::Critical);
            break;
        case Icon::Question:
            box.setIcon(QMessageBox::Question);
            break;
        case Icon::Information:
            box.setIcon(QMessageBox::Information);
            break;
        case Icon::Warning:
            box.setIcon(QMessageBox::Warning);
            break;
    }
    if (m.buttons == Buttons::YesNo) {
        box.setStandardButtons(QMessageBox::Yes | QMessageBox::No);
        box.setDefaultButton(QMessageBox::Yes);
    } else {
        box.setStandardButtons(QMessageBox::Ok);
    }
    int r = QMessageBox::NoButton;
    {
        const WaitingForUser waiting;
        r = box.exec();
    }
    switch (r) {
        case QMessageBox::Yes:
            return Answer::Yes;
        case QMessageBox::No:
            return Answer::No;
        case QMessageBox::Ok:
            return Answer::Ok;
        default:
            return m.buttons == Buttons::YesNo ? Answer::No : Answer::Cancel;
    }
}
}  // namespace

void installMessageBoxPresenter() {
    setMessagePresenter(presentWithMessageBox);
}

bool messageBoxShown() {
    return boxShown();
}

}  // namespace ui
