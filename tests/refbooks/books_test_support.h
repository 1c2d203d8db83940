#pragma once

#include "../support/message_log.h"
#include "../support/test_database.h"
#include "ui/modal.h"

#include <QApplication>
#include <QDialog>
#include <QKeyEvent>
#include <QMap>
#include <QStringList>
#include <QTableView>
#include <QWidget>
#include <functional>

namespace books_test {

// Answers every modal showing: a window with a scripted action runs it (its return value is the
// modal result unless the window closed itself), any other window is cancelled. Records the
// windows shown with their captions.
class ModalScript {
public:
    ModalScript() {
        ui::setModalHook([this](QWidget* w) {
            shown << w->objectName() + QStringLiteral(": ") + w->windowTitle();
            const auto action = actions_.value(w);
            return action ? action() : int(QDialog::Rejected);
        });
    }
    ~ModalScript() { ui::clearModalHook(); }

    void on(QWidget* window, std::function<int()> action) { actions_[window] = std::move(action); }

    QStringList shown;

private:
    QMap<QWidget*, std::function<int()>> actions_;
};

// Types text key by key as a keyboard would (QTest's key clicks know only ASCII).
inline void typeText(QWidget* widget, const QString& text) {
    for (QChar c : text) {
        QKeyEvent press(QEvent::KeyPress, c.toUpper().unicode(), Qt::NoModifier, QString(c));
        QApplication::sendEvent(widget, &press);
        QKeyEvent release(QEvent::KeyRelease, c.toUpper().unicode(), Qt::NoModifier, QString(c));
        QApplication::sendEvent(widget, &release);
    }
}

// The texts of one grid column, top to bottom.
inline QStringList columnTexts(const QTableView* grid, int column = 0) {
    QStringList out;
    for (int r = 0; r < grid->model()->rowCount(); ++r)
        out << grid->model()->index(r, column).data().toString();
    return out;
}

}  // namespace books_test
