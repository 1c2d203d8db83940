#include "timesheet/timesheet_window.h"

TForm19* Form19 = nullptr;

TForm19::TForm19(QWidget* parent) : ui::Window(parent) {
    setObjectName(QStringLiteral("Form19"));
    setWindowTitle(QStringLiteral("Табель по времени"));
}

void TForm19::ShowForJournalDate(const QDate&) {}
