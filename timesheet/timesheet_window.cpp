#include "timesheet/timesheet_window.h"

#include "data/change.h"
#include "data/data_module.h"
#include "data/dataset_model.h"
#include "export/workbook_display.h"
#include "reports/watched_work.h"
#include "timesheet/month_closing.h"
#include "timesheet/month_export.h"
#include "timesheet/month_rebuild.h"
#include "timesheet/timesheet_grid.h"
#include "timesheet/timesheet_print_layout.h"
#include "ui/clock.h"
#include "ui/controls.h"
#include "ui/error_display.h"
#include "ui/modal.h"
#include "ui/wait_cursor.h"

#include <QComboBox>
#include <QCoreApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QSignalBlocker>
#include <QTabWidget>
#include <QTableView>
#include <QVBoxLayout>
#include <algorithm>

timesheet::TimesheetWindow::TimesheetWindow(data::SharedData& db, QWidget* parent)
    : ui::Window(parent), db_(db), printLayout_(new timesheet::TimesheetPrintLayout(this)) {
    setObjectName(QStringLiteral("Form19"));
    setWindowTitle(QStringLiteral("Табель по времени"));
    buildPages();
    buildBottomControls();
    layOutControls();

    looks_ = timesheet::dayColumnLooks(QDate(2007, 1, 1));
    applyDayLooks();
    connectHandlers();
    // Whoever commits a change of a month's timesheet or state announces it; the window shows it.
    connect(&data::changes(), &data::ChangeFeed::changed, this, [this](const data::Change& c) {
        if (c.subject == data::Subject::Timesheet || c.subject == data::Subject::MonthState)
            followChange(c.day.year(), c.day.month());
    });
}

// One page per shift with its grid; the first also holds the rebuild and the export.
void timesheet::TimesheetWindow::buildPages() {
    pages_ = new QTabWidget(this);
    pages_->setObjectName(QStringLiteral("PageControl1"));
    for (int page = 0; page < 3; ++page) {
        auto* sheet = new QWidget;
        auto* layout = new QVBoxLayout(sheet);
        auto* grid = new QTableView(sheet);
        grid->setObjectName(QStringLiteral("DBGrid") + QString::number(page + 1));
        layout->addWidget(grid);
        if (page == 0)
            layout->addLayout(buildRebuildRow(sheet));
        pages_->addTab(sheet, QStringLiteral("Смена №") + QString::number(page + 1));
        grids_[page] = grid;
        models_[page] = timesheet::bindShiftGrid(grid, db_.timesheetOf(page + 1), looks_, this);
    }
}

QHBoxLayout* timesheet::TimesheetWindow::buildRebuildRow(QWidget* sheet) {
    auto* row = new QHBoxLayout;
    rebuildButton_ = ui::makeButton(sheet, "Button1", QStringLiteral("Перестроить"));
    progressBar_ = new QProgressBar(sheet);
    progressBar_->setObjectName(QStringLiteral("PB"));
    progressBar_->setMinimum(1);
    progressBar_->setValue(1);
    progressBar_->setVisible(false);
    excelButton_ = ui::makeButton(sheet, "Button2", QStringLiteral("Excel"));
    row->addWidget(rebuildButton_);
    row->addWidget(progressBar_, 1);
    row->addStretch();
    row->addWidget(excelButton_);
    return row;
}

void timesheet::TimesheetWindow::buildBottomControls() {
    monthList_ = new QComboBox(this);
    monthList_->setObjectName(QStringLiteral("ComboBox1"));
    monthList_->addItems(timesheet::monthNames());
    monthList_->setCurrentIndex(0);
    yearList_ = new QComboBox(this);
    yearList_->setObjectName(QStringLiteral("ComboBox2"));
    yearList_->addItems(timesheet::yearList(ui::today()));
    yearList_->setCurrentIndex(-1);
    // No default button: Enter in the grids or the lists presses nothing.
    refreshButton_ = ui::makeButton(this, "Button5", QStringLiteral("Обновить"));
    printButton_ = ui::makeButton(this, "Button6", QStringLiteral("Печать"));
    exitButton_ = ui::makeButton(this, "Button4", QStringLiteral("Выход"));
    monthStateLabel_ = new QLabel(this);
    monthStateLabel_->setObjectName(QStringLiteral("monthStateLabel"));
    monthStateLabel_->setTextInteractionFlags(Qt::TextSelectableByMouse);  // the command copies
    closeMonthButton_ = ui::makeButton(this, "closeMonthButton", QStringLiteral("Закрыть месяц"));
    reopenMonthButton_ = ui::makeButton(this, "reopenMonthButton", QStringLiteral("Открыть месяц"));
    // Until a month is chosen and its state read.
    closeMonthButton_->setEnabled(false);
    reopenMonthButton_->setEnabled(false);
}

void timesheet::TimesheetWindow::layOutControls() {
    auto* bottom = new QHBoxLayout;
    bottom->addWidget(monthList_);
    bottom->addWidget(yearList_);
    bottom->addWidget(refreshButton_);
    bottom->addWidget(monthStateLabel_);
    bottom->addWidget(closeMonthButton_);
    bottom->addWidget(reopenMonthButton_);
    bottom->addStretch();
    bottom->addWidget(printButton_);
    bottom->addWidget(exitButton_);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(pages_);
    layout->addLayout(bottom);
    // Fits a 1280-pixel-wide screen with the window's frame.
    ui::fixSize(this, QSize(1200, 620));
}

void timesheet::TimesheetWindow::connectHandlers() {
    connect(monthList_, &QComboBox::currentIndexChanged, this,
            ui::guarded([this] { monthChanged(); }));
    connect(yearList_, &QComboBox::currentIndexChanged, this,
            ui::guarded([this] { monthChanged(); }));
    connect(rebuildButton_, &QPushButton::clicked, this,
            ui::guarded(QStringLiteral("timesheet rebuild"), [this] { rebuild(); }));
    connect(excelButton_, &QPushButton::clicked, this,
            ui::guarded(QStringLiteral("timesheet export"), [this] { exportToSpreadsheet(); }));
    connect(refreshButton_, &QPushButton::clicked, this, ui::guarded([this] { refresh(); }));
    connect(printButton_, &QPushButton::clicked, this, ui::guarded([this] { print(); }));
    connect(closeMonthButton_, &QPushButton::clicked, this,
            ui::guarded(QStringLiteral("month closing"), [this] { closeChosenMonth(); }));
    connect(reopenMonthButton_, &QPushButton::clicked, this,
            ui::guarded(QStringLiteral("month reopening"), [this] { reopenChosenMonth(); }));
    connect(exitButton_, &QPushButton::clicked, this, &QDialog::reject);
}

int timesheet::TimesheetWindow::chosenMonth() const {
    return monthList_->currentIndex() + 1;
}

QString timesheet::TimesheetWindow::chosenYear() const {
    return yearList_->currentText();
}

void timesheet::TimesheetWindow::applyDayLooks() {
    for (data::DatasetModel* model : models_)
        timesheet::showDayLooks(model, looks_);
}

void timesheet::TimesheetWindow::monthChanged() {
    if (yearList_->currentIndex() < 0)
        return;  // no year chosen yet
    const int month = chosenMonth();
    const int year = chosenYear().toInt();
    for (int shift = 1; shift <= 3; ++shift) {
        data::Dataset* q = db_.timesheetOf(shift);
        q->close();
        q->setParam(QStringLiteral("mnth"), month);
        q->setParam(QStringLiteral("yea"), year);
        q->open();
    }
    looks_ = timesheet::dayColumnLooks(timesheet::firstDayOf(month, chosenYear()));
    applyDayLooks();
    showMonthState();
}

void timesheet::TimesheetWindow::followChange(int year, int month) {
    // Closed (the window not shown, or its own rebuild running), the queries load the month
    // afresh when they open again.
    if (!db_.timesheetOf(1)->isOpen() || year != chosenYear().toInt() || month != chosenMonth())
        return;
    reopenTimesheets();
    showMonthState();
}

void timesheet::TimesheetWindow::reopenTimesheets() {
    for (int shift = 1; shift <= 3; ++shift)
        db_.timesheetOf(shift)->close();
    for (int shift = 1; shift <= 3; ++shift)
        db_.timesheetOf(shift)->open();
}

void timesheet::TimesheetWindow::refresh() {
    reopenTimesheets();
    showMonthState();
}

void timesheet::TimesheetWindow::rebuild() {
    const int month = chosenMonth();
    const QString year = chosenYear();
    const QDate first = timesheet::firstDayOf(month, year);
    if (!first.isValid())
        return;
    timesheet::refuseIfClosed(db_, first);
    for (int shift = 1; shift <= 3; ++shift)
        db_.timesheetOf(shift)->close();
    const int days = first.daysInMonth();
    progressBar_->setVisible(true);
    progressBar_->setMaximum(days);
    progressBar_->setValue(1);
    // The rebuild runs on this thread in a few statements: the bar shows each one done.
    auto progress = [&](int done, int steps) {
        progressBar_->setValue(std::max(1, days * done / steps));
        QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
    };
    try {
        reports::runWatched(this, QStringLiteral("Табель"), [&](printing::WorkProgress& watch) {
            timesheet::rebuildMonth(db_, month, year, progress, &watch);
        });  // cancelled: the month as it was
    } catch (...) {
        // The month is as it was: show it again.
        progressBar_->setVisible(false);
        try {
            reopenTimesheets();
        } catch (...) {
        }
        throw;
    }
    reopenTimesheets();
    progressBar_->setVisible(false);
}

namespace {
// The layout's month totals of the chosen month, open; the caller closes them.
// With progress, read so that progress can stop the server's statement.
data::Dataset& openMonthTotals(const timesheet::TimesheetPrintLayout& layout, int month,
                               const QString& year, printing::WorkProgress* progress = nullptr) {
    data::Dataset& totals = layout.monthTotals();
    totals.close();
    totals.setParam(QStringLiteral("mnth"), month);
    totals.setParam(QStringLiteral("yea"), year.toInt());
    totals.setReadInParts(progress != nullptr);
    totals.open(progress);
    return totals;
}
}  // namespace

void timesheet::TimesheetWindow::print() {
    const data::CloseAtScopeEnd totals(openMonthTotals(*printLayout_, chosenMonth(), chosenYear()));
    printLayout_->monthLabel = monthList_->currentText() + QLatin1Char(' ') +
                               yearList_->currentText() + QStringLiteral(" г.");
    printLayout_->preview();
}

void timesheet::TimesheetWindow::exportToSpreadsheet() {
    const QString title =
        monthList_->currentText() + QLatin1Char(' ') + QString::number(chosenYear().toInt());
    auto showProgress = [this](int done, int total) {
        excelButton_->setText(QStringLiteral("Excel (") + QString::number(done) +
                              QStringLiteral(" из ") + QString::number(total) + QLatin1Char(')'));
        // Repaint the caption; clicks wait until the export is done.
        QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
    };
    try {
        QString saved;
        if (reports::runWatched(this, QStringLiteral("Табель"), [&](printing::WorkProgress& watch) {
                const data::CloseAtScopeEnd totals(
                    openMonthTotals(*printLayout_, chosenMonth(), chosenYear(), &watch));
                saved = timesheet::exportMonthTotals(workbook_, printLayout_->monthTotals(), title,
                                                     showProgress, &watch);
            }))
            exporting::showWorkbook(saved);
    } catch (const exporting::ExportError&) {
        ui::restoreDefaultCursor();
        throw;  // the error display shows why
    }
}

void timesheet::TimesheetWindow::windowActivated() {
    excelButton_->setText(QStringLiteral("Excel"));
}

void timesheet::TimesheetWindow::refreshYearList() {
    const QStringList years = timesheet::yearList(ui::today());
    QStringList shown;
    for (int i = 0; i < yearList_->count(); ++i)
        shown << yearList_->itemText(i);
    if (shown == years)
        return;
    const QString selected = yearList_->currentText();
    const QSignalBlocker block(yearList_);
    yearList_->clear();
    yearList_->addItems(years);
    yearList_->setCurrentIndex(years.indexOf(selected));
}

void timesheet::TimesheetWindow::showForDate(const QDate& date) {
    refreshYearList();
    {
        const QSignalBlocker blockMonth(monthList_);
        const QSignalBlocker blockYear(yearList_);
        monthList_->setCurrentIndex(date.month() - 1);
        const QStringList years = timesheet::yearList(ui::today());
        yearList_->setCurrentIndex(timesheet::yearIndexFor(date.year(), years));
    }
    monthChanged();
    ui::showModal(this);
    for (int shift = 1; shift <= 3; ++shift)
        db_.timesheetOf(shift)->close();
}
