#pragma once

#include "timesheet/month_calendar.h"
#include "ui/window.h"

#include <QDate>
#include <array>

class QComboBox;
class QProgressBar;
class QPushButton;
class QTableView;
class QTabWidget;
namespace data {
class Dataset;
class DatasetModel;
}  // namespace data

// "Табель по времени": the hours of a month per worker and day, one page per shift 1..3, with
// the month's rebuild from the journal, its print and its spreadsheet export.
class TForm19 : public ui::Window {
    Q_OBJECT
public:
    explicit TForm19(QWidget* parent = nullptr);

    // The journal's "Табель по времени": the month and year of date selected, the month change
    // run, shown modally, the three timesheet queries closed after.
    void ShowForJournalDate(const QDate& date);

    void FormActivate() override;
    void ComboBox1Change();  // month change, bound to both lists
    void Button1Click();     // "Перестроить"
    void Button2Click();     // "Excel"
    void Button5Click();     // "Обновить"
    void Button6Click();     // "Печать"

    // The chosen month 1..12 and the year text as the list shows it.
    int chosenMonth() const;
    QString chosenYear() const;

    QTabWidget* PageControl1;
    std::array<QTableView*, 3> grids{};  // DBGrid1..DBGrid3
    std::array<data::DatasetModel*, 3> models{};
    QPushButton* Button1;
    QProgressBar* PB;
    QPushButton* Button2;
    QPushButton* Button6;
    QComboBox* ComboBox1;
    QComboBox* ComboBox2;
    QPushButton* Button5;
    QPushButton* Button4;

    const std::array<timesheet::DayColumnLook, 31>& dayLooks() const { return looks_; }

private:
    void setUpGrid(int page, QTableView* grid);
    void applyDayLooks();
    void refreshYearList();
    void reopenTimesheets();
    QVariant styleCell(const data::Dataset& ds, int row, int column, int role) const;

    std::array<timesheet::DayColumnLook, 31> looks_{};
};

extern TForm19* Form19;
