#include "timesheet/timesheet_print_layout.h"

TForm15* Form15 = nullptr;

TForm15::TForm15(QObject* parent) : QObject(parent) {
    setObjectName(QStringLiteral("Form15"));
}
