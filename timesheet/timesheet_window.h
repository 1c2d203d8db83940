#pragma once

#include "export/spreadsheet_bridge.h"
#include "timesheet/month_calendar.h"
#include "ui/window.h"

#include <QDate>
#include <array>

class QComboBox;
class QHBoxLayout;
class QLabel;
class QProgressBar;
class QPushButton;
class QTableView;
class QTabWidget;
namespace timesheet {
class TimesheetPrintLayout;
}  // namespace timesheet
namespace data {
class Dataset;
class DatasetModel;
class SharedData;
}  // namespace data

namespace timesheet {

// "Табель по времени": the hours of a month per worker and day, one page per shift 1..3, with
// the month's rebuild from the journal, its print and its spreadsheet export.
class TimesheetWindow : public ui::Window {
    Q_OBJECT
public:
    explicit TimesheetWindow(data::SharedData& db, QWidget* parent = nullptr);

    // The journal's "Табель по времени": the month and year of date selected, the month change
    // run, shown modally, the three timesheet queries closed after.
    void showForDate(const QDate& date);

    void windowActivated() override;
    void monthChanged();         // either list changed
    void rebuild();              // "Перестроить"
    void exportToSpreadsheet();  // "Excel"
    void refresh();              // "Обновить"
    void print();                // "Печать"
    void closeChosenMonth();     // "Закрыть месяц", administrator only
    void reopenChosenMonth();    // "Открыть месяц", administrator only

    // The chosen month 1..12 and the year text as the list shows it.
    int chosenMonth() const;
    QString chosenYear() const;

    const std::array<timesheet::DayColumnLook, 31>& dayLooks() const { return looks_; }
    // The workbook "Excel" saved last; empty before.
    QString lastSavedWorkbook() const { return workbook_.lastSavedPath(); }

private:
    void buildPages();
    QHBoxLayout* buildRebuildRow(QWidget* sheet);
    void buildBottomControls();
    void layOutControls();
    void connectHandlers();
    // A committed change of a month's timesheet: shown when it is the month on screen.
    void followChange(int year, int month);
    void applyDayLooks();
    void refreshYearList();
    void reopenTimesheets();
    // timesheet_window_closing.cpp: the chosen month's state, its closing and reopening.
    void showMonthState();
    // Whether the closing buttons may act: they say how to upgrade a database without closed
    // months.
    bool closingAvailable();

    data::SharedData& db_;
    timesheet::TimesheetPrintLayout* printLayout_;

    QTabWidget* pages_;
    std::array<QTableView*, 3> grids_{};  // one per shift
    std::array<data::DatasetModel*, 3> models_{};
    QPushButton* rebuildButton_;
    QProgressBar* progressBar_;
    QPushButton* excelButton_;
    QPushButton* printButton_;
    QComboBox* monthList_;
    QComboBox* yearList_;
    QPushButton* refreshButton_;
    QLabel* monthStateLabel_;
    QPushButton* closeMonthButton_;
    QPushButton* reopenMonthButton_;
    QPushButton* exitButton_;

    std::array<timesheet::DayColumnLook, 31> looks_{};
    SpreadsheetBridge workbook_{QStringLiteral("Табель")};  // "Excel"
};

}  // namespace timesheet
