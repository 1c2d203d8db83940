#include "ui/clock.h"

namespace ui {

namespace {
QDate& fixedToday() {
    static QDate d;
    return d;
}
}  // namespace

QDate today() {
    return fixedToday().isValid() ? fixedToday() : QDate::currentDate();
}

void setToday(const QDate& date) {
    fixedToday() = date;
}

void clearToday() {
    fixedToday() = QDate();
}

}  // namespace ui
