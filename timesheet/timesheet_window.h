#pragma once

#include "ui/window.h"

#include <QDate>

class TForm19 : public ui::Window {
    Q_OBJECT
public:
    explicit TForm19(QWidget* parent = nullptr);

    // The journal's "Табель по времени": the month and year of date selected, the month change
    // run, shown modally, the three timesheet queries closed after.
    void ShowForJournalDate(const QDate& date);
};

extern TForm19* Form19;
