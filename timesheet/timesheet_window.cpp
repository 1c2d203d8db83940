#include "timesheet/timesheet_window.h"

#include "data/change.h"
#include "data/data_module.h"
#include "data/dataset_model.h"
#include "data/server_features.h"
#include "export/spreadsheet_bridge.h"
#include "export/workbook_display.h"
#include "timesheet/cell_painting.h"
#include "timesheet/month_closing.h"
#include "timesheet/month_export.h"
#include "timesheet/month_rebuild.h"
#include "timesheet/timesheet_print_layout.h"
#include "ui/clock.h"
#include "ui/colors.h"
#include "ui/controls.h"
#include "ui/dialogs.h"
#include "ui/error_display.h"
#include "ui/modal.h"
#include "ui/text_prompt.h"
#include "ui/wait_cursor.h"
#include "views/columns.h"
#include "views/grid.h"
#include "views/title_header.h"

#include <QComboBox>
#include <QCoreApplication>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QSignalBlocker>
#include <QStyledItemDelegate>
#include <QTabWidget>
#include <QTableView>
#include <QVBoxLayout>
#include <algorithm>

namespace {

QString dayField(int day) {
    return QStringLiteral("d") + QString::number(day);
}

// The worker, a column per day of the month, the month's total.
const views::Columns& timesheetColumns() {
    static const views::Columns columns = [] {
        views::Columns c{{.field = QStringLiteral("fio"),
                          .caption = QStringLiteral("Фамилия И. О."),
                          .width = 250}};  // full names fit
        for (int d = 1; d <= 31; ++d)
            c.add({.field = dayField(d),
                   .caption = QString::number(d),
                   .width = 26,
                   .alignment = Qt::AlignCenter});
        c.add({.field = QStringLiteral("summ"),
               .caption = QStringLiteral("Итого"),
               .width = 50,
               .alignment = Qt::AlignCenter});
        return c;
    }();
    return columns;
}

int columnOfDay(int day) {
    return timesheetColumns().columnOf(dayField(day));
}

bool isTotalColumn(int column) {
    static const int total = timesheetColumns().columnOf(QStringLiteral("summ"));
    return column == total;
}

// The day of the month a grid column shows; 0 for the worker and the total.
int dayOfColumn(int column) {
    if (column < 0 || column >= timesheetColumns().size())
        return 0;
    const QString& field = timesheetColumns().at(column).field;
    bool isNumber = false;
    const int day = field.mid(1).toInt(&isNumber);
    return field.startsWith(QLatin1Char('d')) && isNumber ? day : 0;
}

constexpr quint32 kTotalBackground = 0x00FFE4E1;

// Only the focused day cell is drawn plainly: highlighted, without bold or money green. The
// other day cells of the current row keep their weekend, 8-hour and overtime painting.
class PlainHighlightDelegate : public QStyledItemDelegate {
public:
    using QStyledItemDelegate::QStyledItemDelegate;

protected:
    void initStyleOption(QStyleOptionViewItem* option, const QModelIndex& index) const override {
        QStyledItemDelegate::initStyleOption(option, index);
        if (!(option->state & QStyle::State_Selected) || dayOfColumn(index.column()) == 0)
            return;
        const auto* grid = qobject_cast<const QAbstractItemView*>(option->widget);
        if (grid && grid->currentIndex() != index) {
            option->state &= ~QStyle::State_Selected;
            return;
        }
        option->font.setBold(false);
        option->backgroundBrush = Qt::NoBrush;
    }
};

}  // namespace

TimesheetWindow::TimesheetWindow(data::SharedData& db, QWidget* parent)
    : ui::Window(parent), db_(db), printLayout_(new TimesheetPrintLayout(this)) {
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
void TimesheetWindow::buildPages() {
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
        setUpGrid(page, grid);
    }
}

QHBoxLayout* TimesheetWindow::buildRebuildRow(QWidget* sheet) {
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

void TimesheetWindow::buildBottomControls() {
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

void TimesheetWindow::layOutControls() {
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

void TimesheetWindow::connectHandlers() {
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

void TimesheetWindow::setUpGrid(int page, QTableView* grid) {
    grids_[page] = grid;
    auto* model = new data::DatasetModel(this);
    models_[page] = model;
    model->setColumns(timesheetColumns().gridColumns());
    model->setDataset(db_.timesheetOf(page + 1));
    model->setStyler([this](const data::Dataset& ds, int row, int column, int role) {
        return styleCell(ds, row, column, role);
    });
    grid->setHorizontalHeader(new ui::TitleHeader(grid));  // day titles in their colours
    ui::bindGrid(grid, model);
    grid->verticalHeader()->setVisible(false);
    grid->setItemDelegate(new PlainHighlightDelegate(grid));
}

QVariant TimesheetWindow::styleCell(const data::Dataset& ds, int row, int column, int role) const {
    if (isTotalColumn(column)) {
        if (role == Qt::FontRole) {
            QFont f;
            f.setBold(true);
            return f;
        }
        if (role == Qt::BackgroundRole)
            return QBrush(ui::color(kTotalBackground));
        return {};
    }
    const int day = dayOfColumn(column);
    if (day == 0)
        return {};
    const timesheet::DayColumnLook& look = looks_[day - 1];
    const QVariant v = ds.valueAt(row, ds.fieldIndex(dayField(day)));
    const timesheet::CellPaint p =
        timesheet::paintDayCell(v.isNull() ? 0 : v.toInt(), look.cellColor, look.readOnly, false);
    switch (role) {
        case Qt::FontRole:
            if (!p.bold)
                return {};
            {
                QFont f;
                f.setBold(true);
                return f;
            }
        case Qt::ForegroundRole:
            return QBrush(ui::color(p.fontColor));
        case Qt::BackgroundRole:
            return p.background ? QVariant(QBrush(ui::color(*p.background))) : QVariant();
        default:
            return {};
    }
}

int TimesheetWindow::chosenMonth() const {
    return monthList_->currentIndex() + 1;
}

QString TimesheetWindow::chosenYear() const {
    return yearList_->currentText();
}

void TimesheetWindow::applyDayLooks() {
    for (data::DatasetModel* model : models_) {
        for (int d = 1; d <= 31; ++d)
            model->setHeaderForeground(columnOfDay(d), QBrush(ui::color(looks_[d - 1].titleColor)));
        model->refreshAll();
    }
}

void TimesheetWindow::monthChanged() {
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

void TimesheetWindow::showMonthState() {
    using namespace timesheet::closing_text;
    const bool chosen = yearList_->currentIndex() >= 0;
    if (!data::closedMonthsAvailable()) {
        // Every month is open there; closing says how to upgrade.
        monthStateLabel_->setText(stateNotUpgraded());
        closeMonthButton_->setEnabled(chosen);
        reopenMonthButton_->setEnabled(false);
        return;
    }
    const bool closed = chosen && timesheet::monthClosed(db_, chosenMonth(), chosenYear().toInt());
    monthStateLabel_->setText(chosen ? state(closed) : QString());
    closeMonthButton_->setEnabled(chosen && !closed);
    reopenMonthButton_->setEnabled(chosen && closed);
}

bool TimesheetWindow::closingAvailable() {
    if (data::closedMonthsAvailable())
        return yearList_->currentIndex() >= 0;
    ui::showMessage({timesheet::closing_text::upgradeFirst(),
                     QString::fromUtf8(timesheet::closing_text::kCaption), ui::Icon::Information,
                     ui::Buttons::Ok});
    return false;
}

void TimesheetWindow::closeChosenMonth() {
    using namespace timesheet::closing_text;
    if (!closingAvailable())
        return;
    const int month = chosenMonth();
    const int year = chosenYear().toInt();
    auto tell = [](const QString& text) {
        ui::showMessage(
            {text, QString::fromUtf8(kCaption), ui::Icon::Information, ui::Buttons::Ok});
    };
    auto ask = [](const QString& text) {
        return ui::showMessage({text, QString::fromUtf8(kCaption), ui::Icon::Question,
                                ui::Buttons::YesNo}) == ui::Answer::Yes;
    };
    const qint64 unaccepted = timesheet::unacceptedEntries(db_, month, chosenYear());
    if (!ask(closeQuestion(month, year, unaccepted)))
        return;
    // The timesheet is admin-only (the journal's menu), so whoever closes here is the
    // administrator.
    const QString role = QStringLiteral("Administrator");
    const QString workstation = timesheet::workstationName();
    timesheet::CloseVerdict verdict =
        timesheet::closeMonth(db_, month, chosenYear(), role, workstation, false);
    if (verdict.kind == timesheet::CloseVerdict::Kind::TimesheetDiffers) {
        if (!ask(rebuildQuestion(month, year, verdict.differingCells)))
            return;
        verdict = timesheet::closeMonth(db_, month, chosenYear(), role, workstation, true);
    }
    showMonthState();
    tell(verdict.kind == timesheet::CloseVerdict::Kind::AlreadyClosed ? alreadyClosed(month, year)
                                                                      : closed(month, year));
}

void TimesheetWindow::reopenChosenMonth() {
    using namespace timesheet::closing_text;
    if (!closingAvailable())
        return;
    const int month = chosenMonth();
    const int year = chosenYear().toInt();
    const QString caption = QString::fromUtf8(kReopenCaption);
    if (ui::showMessage({reopenQuestion(month, year), caption, ui::Icon::Question,
                         ui::Buttons::YesNo}) != ui::Answer::Yes)
        return;
    QString reason;
    if (timesheet::reopeningKeepsReason()) {
        const std::optional<QString> given =
            ui::askText({QStringLiteral("reopenReasonWindow"), caption, reasonPrompt(month, year)});
        if (!given)
            return;
        reason = *given;
    }
    const bool reopened = timesheet::reopenMonth(db_, month, chosenYear(), reason);
    showMonthState();
    ui::showMessage(
        {reopened ? timesheet::closing_text::reopened(month, year) : notClosed(month, year),
         caption, ui::Icon::Information, ui::Buttons::Ok});
}

void TimesheetWindow::followChange(int year, int month) {
    // Closed (the window not shown, or its own rebuild running), the queries load the month
    // afresh when they open again.
    if (!db_.timesheetOf(1)->isOpen() || year != chosenYear().toInt() || month != chosenMonth())
        return;
    reopenTimesheets();
    showMonthState();
}

void TimesheetWindow::reopenTimesheets() {
    for (int shift = 1; shift <= 3; ++shift)
        db_.timesheetOf(shift)->close();
    for (int shift = 1; shift <= 3; ++shift)
        db_.timesheetOf(shift)->open();
}

void TimesheetWindow::refresh() {
    reopenTimesheets();
    showMonthState();
}

void TimesheetWindow::rebuild() {
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
        timesheet::rebuildMonth(db_, month, year, progress);
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
data::Dataset& openMonthTotals(const TimesheetPrintLayout& layout, int month, const QString& year) {
    data::Dataset& totals = layout.monthTotals();
    totals.close();
    totals.setParam(QStringLiteral("mnth"), month);
    totals.setParam(QStringLiteral("yea"), year.toInt());
    totals.open();
    return totals;
}
}  // namespace

void TimesheetWindow::print() {
    const data::CloseAtScopeEnd totals(openMonthTotals(*printLayout_, chosenMonth(), chosenYear()));
    printLayout_->monthLabel = monthList_->currentText() + QLatin1Char(' ') +
                               yearList_->currentText() + QStringLiteral(" г.");
    printLayout_->preview();
}

void TimesheetWindow::exportToSpreadsheet() {
    const data::CloseAtScopeEnd totals(openMonthTotals(*printLayout_, chosenMonth(), chosenYear()));
    const QString title =
        monthList_->currentText() + QLatin1Char(' ') + QString::number(chosenYear().toInt());
    auto showProgress = [this](int done, int total) {
        excelButton_->setText(QStringLiteral("Excel (") + QString::number(done) +
                              QStringLiteral(" из ") + QString::number(total) + QLatin1Char(')'));
        // Repaint the caption; clicks wait until the export is done.
        QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
    };
    try {
        exporting::showWorkbook(timesheet::exportMonthTotals(
            TimesheetBridge(), printLayout_->monthTotals(), title, showProgress));
    } catch (const exporting::ExportError&) {
        ui::restoreDefaultCursor();
        throw;  // the error display shows why
    }
}

void TimesheetWindow::windowActivated() {
    excelButton_->setText(QStringLiteral("Excel"));
}

void TimesheetWindow::refreshYearList() {
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

void TimesheetWindow::showForDate(const QDate& date) {
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
