#include "ui/message_box.h"

#include "ui/dialogs.h"

#include <QApplication>
#include <QMessageBox>

namespace ui {

namespace {
QElapsedTimer& lastClosed() {
    static QElapsedTimer t;
    return t;
}

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
    const int r = box.exec();
    lastClosed().start();
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

bool messageBoxJustClosed() {
    return lastClosed().isValid() && lastClosed().elapsed() < 300;
}

}  // namespace ui
