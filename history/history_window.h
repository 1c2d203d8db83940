#pragma once

#include "export/spreadsheet_bridge.h"
#include "history/history_statements.h"
#include "ui/window.h"
#include "views/columns.h"

class QComboBox;

#include <array>
#include <vector>

class QCheckBox;
class QDateEdit;
class QLabel;
class QPushButton;
class QTableView;
namespace data {
class Dataset;
class SharedData;
}  // namespace data

namespace history {

// "История изменений": what the database recorded of the changes, newest first, over a period
// and of chosen kinds of data, or the whole history of one row (a journal entry, also one since
// deleted). Reads only; saves what it shows to a workbook.
class HistoryWindow : public ui::Window {
    Q_OBJECT
public:
    explicit HistoryWindow(data::SharedData& db, QWidget* parent = nullptr);
    ~HistoryWindow() override;

    // The changes of the current month, shown modally; on a database without the history the
    // window shows only the message that it must be upgraded.
    void showPeriod();
    // The history of one row (table as the history names it: "smena" for a journal entry).
    void showRow(const QString& table, qint64 rowId);
    // What the journal says when there is no entry whose history it could show.
    static QString noEntryMessage();

    void reload();  // "Показать": the period and kinds chosen
    // Reads the next earlier rows of the period shown (the grid scrolled to its last row).
    void readEarlierRows();
    // How many of a period's newest rows are read first (each further read doubles what is shown).
    void setFirstRows(int rows) { firstRows_ = rows; }
    // Whether the period shown may hold rows older than those read so far.
    bool hasEarlierRows() const;
    void showRowOfCurrent();  // "История записи": the current grid row's own history
    // "Назад к периоду": from one row's history back to the period shown before it.
    void showPeriodAgain();
    // Whether one row's history is shown: the period and kinds are not what the grid shows, so
    // their boxes are disabled and show the dates of the row's first and last change.
    bool showsRow() const { return rowShown_; }
    void exportRows();  // "Excel"
    void printRows();   // "Печать": the rows shown, previewed and printed

    data::Dataset& rows() const { return *rows_; }
    // The workbook the last "Excel" saved; empty before.
    QString savedWorkbook() const { return bridge_.lastSavedPath(); }
    // The grid's columns, also the workbook's.
    // With people known (a secured database) the person who made each change is shown too.
    static views::Columns columns(bool withPerson = false);
    // Narrows the period to one person's changes (a login), or shows everyone's (empty).
    void choosePerson(const QString& login);

    // The message shown when the database keeps no history.
    static QString notUpgradedMessage();

private:
    bool historyKept();
    void fillPeople();
    history::People people() const;  // how the period's statement names and narrows people  // the
                                     // person box, where the database keeps people
    void open(const QString& sql, const QString& title);
    void openPeriod();
    QString periodTitle() const;
    QString periodHeading() const;  // "Изменения с 01.12.2026 по 31.12.2026"
    void takePeriodFromBoxes();
    void openRow(const QString& table, qint64 rowId);
    void showRowSpan();
    void enableForWhatIsShown();

    data::SharedData& db_;
    data::Dataset* rows_;
    // A period is read newest first in growing parts: a busy month holds some 80,000 changes,
    // more than anybody reads through and too many to fetch before the window answers.
    static constexpr int kFirstRows = 2000;
    int firstRows_ = kFirstRows;
    int rowsAsked_ = 0;  // the limit of the period shown; 0 for a row's history
    QStringList periodTables_;
    QString shownPerson_;  // the login the period is narrowed to, empty for everyone
    QString shownKinds_;   // the kinds shown, named when some are left out
    // The period shown (or shown before a row's history), whatever the boxes hold meanwhile.
    QDate shownFrom_, shownTo_;
    bool rowShown_ = false;
    bool readingEarlier_ = false;
    SpreadsheetBridge bridge_{QStringLiteral("История")};
    QDateEdit* fromEdit_;
    QDateEdit* toEdit_;
    std::array<QCheckBox*, 4> kindChecks_{};  // journal, prices and operations, books, months
    QPushButton* showButton_;
    QComboBox* personBox_;
    bool peopleKnown_ = false;
    QLabel* titleLabel_;
    QTableView* grid_;
    QPushButton* rowButton_;
    QPushButton* periodButton_;
    QPushButton* exportButton_;
    QPushButton* printButton_;
    QPushButton* closeButton_;
};

}  // namespace history
