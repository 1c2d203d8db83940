#pragma once

#include "ui/modal.h"
#include "views/columns.h"

#include <QAbstractItemModel>
#include <QApplication>
#include <QDialog>
#include <QImage>
#include <QKeyEvent>
#include <QMap>
#include <QStringList>
#include <QTableView>
#include <QWidget>
#include <functional>

// Driving windows headless: modal showings answered by script, typing, reading grids.
namespace testing_support {

// Answers every modal showing: a window with a scripted action runs it (its return value is the
// modal result unless the window closed itself), any other window is cancelled. Records the
// windows shown as "objectName: caption".
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
    ModalScript(const ModalScript&) = delete;
    ModalScript& operator=(const ModalScript&) = delete;

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

// The display texts of the column showing field, top to bottom.
inline QStringList columnTexts(const QAbstractItemModel* link, const QString& field) {
    const int column = views::columnOf(link, field);
    QStringList out;
    for (int r = 0; r < link->rowCount(); ++r)
        out << link->index(r, column).data().toString();
    return out;
}

inline QStringList columnTexts(const QTableView* grid, const QString& field) {
    return columnTexts(grid->model(), field);
}

// The cell of a grid in row and the column showing field.
inline QModelIndex cellOf(const QTableView* grid, int row, const QString& field) {
    return grid->model()->index(row, views::columnOf(grid, field));
}

// A grid cell as the grid paints it on screen.
inline QImage paintedCell(QTableView* grid, const QModelIndex& index) {
    grid->scrollTo(index);
    return grid->viewport()->grab(grid->visualRect(index)).toImage();
}

// Whether some pixel of the image has this colour (text strokes included).
inline bool showsColour(const QImage& image, const QColor& colour) {
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if (image.pixelColor(x, y).rgb() == colour.rgb())
                return true;
    return false;
}

}  // namespace testing_support
