#include "reports/report_window.h"

TForm18* Form18 = nullptr;

TForm18::TForm18(QWidget* parent) : ui::Window(parent) {
    setObjectName(QStringLiteral("Form18"));
    setWindowTitle(QStringLiteral("Отчеты"));
}
