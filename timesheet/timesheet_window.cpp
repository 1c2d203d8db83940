#include "timesheet/timesheet_window.h"

#include "data/data_module.h"
#include "data/dataset_model.h"
#include "export/spreadsheet_bridge.h"
#include "timesheet/cell_painting.h"
#include "timesheet/month_export.h"
#include "timesheet/month_rebuild.h"
#include "timesheet/timesheet_print_layout.h"
#include "ui/clock.h"
#include "ui/colors.h"
#include "ui/controls.h"
#include "ui/error_display.h"
#include "ui/grid.h"
#include "ui/modal.h"
#include "ui/wait_cursor.h"

#include <QComboBox>
#include <QCoreApplication>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QProgressBar>
#include <QPushButton>
#include <QSignalBlocker>
#include <QStyledItemDelegate>
#include <QTabWidget>
#include <QTableView>
#include <QVBoxLayout>
#include <algorithm>

TForm19* Form19 = nullptr;

namespace {

constexpr int kTotalColumn = 32;
constexpr quint32 kTotalBackground = 0x00FFE4E1;

// Only the focused day cell is drawn plainly: highlighted, without bold or money green. The
// other day cells of the current row keep their weekend, 8-hour and overtime painting.
class PlainHighlightDelegate : public QStyledItemDelegate {
public:
    using QStyledItemDelegate::QStyledItemDelegate;

protected:
    void initStyleOption(QStyleOptionViewItem* option, const QModelIndex& index) const override {
        QStyledItemDelegate::initStyleOption(option, index);
        if (!(option->state & QStyle::State_Selected) || index.column() <= 0 ||
            index.column() >= kTotalColumn)
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

std::vector<data::GridColumn> timesheetColumns() {
    std::vector<data::GridColumn> columns;
    data::GridColumn fio = data::gridColumn(QStringLiteral("fio"), QStringLiteral("Фамилия И. О."));
    fio.width = 250;  // full names fit
    columns.push_back(fio);
    for (int d = 1; d <= 31; ++d) {
        data::GridColumn c = data::gridColumn(QStringLiteral("d") + QString::number(d),
                                              QString::number(d), true, Qt::AlignCenter);
        c.width = 26;
        columns.push_back(c);
    }
    data::GridColumn total =
        data::gridColumn(QStringLiteral("summ"), QStringLiteral("Итого"), true, Qt::AlignCenter);
    total.width = 50;
    columns.push_back(total);
    return columns;
}

}  // namespace

TForm19::TForm19(QWidget* parent) : ui::Window(parent) {
    setObjectName(QStringLiteral("Form19"));
    setWindowTitle(QStringLiteral("Табель по времени"));

    PageControl1 = new QTabWidget(this);
    PageControl1->setObjectName(QStringLiteral("PageControl1"));
    for (int page = 0; page < 3; ++page) {
        auto* sheet = new QWidget;
        auto* layout = new QVBoxLayout(sheet);
        auto* grid = new QTableView(sheet);
        grid->setObjectName(QStringLiteral("DBGrid") + QString::number(page + 1));
        layout->addWidget(grid);
        if (page == 0) {
            auto* row = new QHBoxLayout;
            Button1 = ui::makeButton(sheet, "Button1", QStringLiteral("Перестроить"));
            PB = new QProgressBar(sheet);
            PB->setObjectName(QStringLiteral("PB"));
            PB->setMinimum(1);
            PB->setValue(1);
            PB->setVisible(false);
            Button2 = ui::makeButton(sheet, "Button2", QStringLiteral("Excel"));
            row->addWidget(Button1);
            row->addWidget(PB, 1);
            row->addStretch();
            row->addWidget(Button2);
            layout->addLayout(row);
        }
        PageControl1->addTab(sheet, QStringLiteral("Смена №") + QString::number(page + 1));
        setUpGrid(page, grid);
    }

    ComboBox1 = new QComboBox(this);
    ComboBox1->setObjectName(QStringLiteral("ComboBox1"));
    ComboBox1->addItems(timesheet::monthNames());
    ComboBox1->setCurrentIndex(0);
    ComboBox2 = new QComboBox(this);
    ComboBox2->setObjectName(QStringLiteral("ComboBox2"));
    ComboBox2->addItems(timesheet::yearList(ui::today()));
    ComboBox2->setCurrentIndex(-1);
    // No default button: Enter in the grids or the lists presses nothing.
    Button5 = ui::makeButton(this, "Button5", QStringLiteral("Обновить"));
    Button6 = ui::makeButton(this, "Button6", QStringLiteral("Печать"));
    Button4 = ui::makeButton(this, "Button4", QStringLiteral("Выход"));

    auto* bottom = new QHBoxLayout;
    bottom->addWidget(ComboBox1);
    bottom->addWidget(ComboBox2);
    bottom->addWidget(Button5);
    bottom->addStretch();
    bottom->addWidget(Button6);
    bottom->addWidget(Button4);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(PageControl1);
    layout->addLayout(bottom);
    // Fits a 1280-pixel-wide screen with the window's frame.
    ui::fixSize(this, QSize(1200, 620));

    looks_ = timesheet::dayColumnLooks(QDate(2007, 1, 1));
    applyDayLooks();

    connect(ComboBox1, &QComboBox::currentIndexChanged, this,
            ui::guarded([this] { ComboBox1Change(); }));
    connect(ComboBox2, &QComboBox::currentIndexChanged, this,
            ui::guarded([this] { ComboBox1Change(); }));
    connect(Button1, &QPushButton::clicked, this, ui::guarded([this] { Button1Click(); }));
    connect(Button2, &QPushButton::clicked, this, ui::guarded([this] { Button2Click(); }));
    connect(Button5, &QPushButton::clicked, this, ui::guarded([this] { Button5Click(); }));
    connect(Button6, &QPushButton::clicked, this, ui::guarded([this] { Button6Click(); }));
    connect(Button4, &QPushButton::clicked, this, &QDialog::reject);
}

void TForm19::setUpGrid(int page, QTableView* grid) {
    grids[page] = grid;
    auto* model = new data::DatasetModel(this);
    models[page] = model;
    model->setColumns(timesheetColumns());
    model->setDataset(DataModule6 ? DataModule6->timesheetOf(page + 1) : nullptr);
    model->setStyler([this](const data::Dataset& ds, int row, int column, int role) {
        return styleCell(ds, row, column, role);
    });
    ui::bindGrid(grid, model);
    grid->verticalHeader()->setVisible(false);
    grid->setItemDelegate(new PlainHighlightDelegate(grid));
}

QVariant TForm19::styleCell(const data::Dataset& ds, int row, int column, int role) const {
    if (column == kTotalColumn) {
        if (role == Qt::FontRole) {
            QFont f;
            f.setBold(true);
            return f;
        }
        if (role == Qt::BackgroundRole)
            return QBrush(ui::color(kTotalBackground));
        return {};
    }
    if (column <= 0 || column > 31)
        return {};
    const timesheet::DayColumnLook& look = looks_[column - 1];
    const QVariant v =
        ds.valueAt(row, ds.fieldIndex(QStringLiteral("d") + QString::number(column)));
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

int TForm19::chosenMonth() const {
    return ComboBox1->currentIndex() + 1;
}

QString TForm19::chosenYear() const {
    return ComboBox2->currentText();
}

void TForm19::applyDayLooks() {
    for (data::DatasetModel* model : models) {
        for (int d = 1; d <= 31; ++d)
            model->setHeaderForeground(d, QBrush(ui::color(looks_[d - 1].titleColor)));
        model->refreshAll();
    }
}

void TForm19::ComboBox1Change() {
    if (ComboBox2->currentIndex() < 0)
        return;  // no year chosen yet
    const int month = chosenMonth();
    const int year = chosenYear().toInt();
    for (int shift = 1; shift <= 3; ++shift) {
        data::Dataset* q = DataModule6->timesheetOf(shift);
        q->close();
        q->setParam(QStringLiteral("mnth"), month);
        q->setParam(QStringLiteral("yea"), year);
        q->open();
    }
    looks_ = timesheet::dayColumnLooks(timesheet::firstDayOf(month, chosenYear()));
    applyDayLooks();
}

void TForm19::reopenTimesheets() {
    for (int shift = 1; shift <= 3; ++shift)
        DataModule6->timesheetOf(shift)->close();
    for (int shift = 1; shift <= 3; ++shift)
        DataModule6->timesheetOf(shift)->open();
}

void TForm19::Button5Click() {
    reopenTimesheets();
}

void TForm19::Button1Click() {
    const int month = chosenMonth();
    const QString year = chosenYear();
    const QDate first = timesheet::firstDayOf(month, year);
    if (!first.isValid())
        return;
    for (int shift = 1; shift <= 3; ++shift)
        DataModule6->timesheetOf(shift)->close();
    const int days = first.daysInMonth();
    PB->setVisible(true);
    PB->setMaximum(days);
    PB->setValue(1);
    // The rebuild runs on this thread in a few statements: the bar shows each one done.
    auto progress = [&](int done, int steps) {
        PB->setValue(std::max(1, days * done / steps));
        QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
    };
    try {
        timesheet::rebuildMonth(month, year, progress);
    } catch (...) {
        // The month is as it was: show it again.
        PB->setVisible(false);
        try {
            reopenTimesheets();
        } catch (...) {
        }
        throw;
    }
    reopenTimesheets();
    PB->setVisible(false);
}

namespace {
// The layout's month totals of the chosen month, open; the caller closes them.
data::Dataset& openMonthTotals(int month, const QString& year) {
    data::Dataset& totals = *Form15->H_Tabel;
    totals.close();
    totals.setParam(QStringLiteral("mnth"), month);
    totals.setParam(QStringLiteral("yea"), year.toInt());
    totals.open();
    return totals;
}
}  // namespace

void TForm19::Button6Click() {
    const data::CloseAtScopeEnd totals(openMonthTotals(chosenMonth(), chosenYear()));
    Form15->QRLabel33 = ComboBox1->currentText() + QLatin1Char(' ') + ComboBox2->currentText() +
                        QStringLiteral(" г.");
    Form15->Preview();
}

void TForm19::Button2Click() {
    const data::CloseAtScopeEnd totals(openMonthTotals(chosenMonth(), chosenYear()));
    const QString title =
        ComboBox1->currentText() + QLatin1Char(' ') + QString::number(chosenYear().toInt());
    const bool written = timesheet::exportMonthTotals(
        TimesheetBridge(), *Form15->H_Tabel, title, [this](int done, int total) {
            Button2->setText(QStringLiteral("Excel (") + QString::number(done) +
                             QStringLiteral(" из ") + QString::number(total) + QLatin1Char(')'));
            // Repaint the caption; clicks wait until the export is done.
            QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
        });
    if (!written)
        ui::restoreDefaultCursor();
}

void TForm19::FormActivate() {
    Button2->setText(QStringLiteral("Excel"));
}

void TForm19::refreshYearList() {
    const QStringList years = timesheet::yearList(ui::today());
    QStringList shown;
    for (int i = 0; i < ComboBox2->count(); ++i)
        shown << ComboBox2->itemText(i);
    if (shown == years)
        return;
    const QString selected = ComboBox2->currentText();
    const QSignalBlocker block(ComboBox2);
    ComboBox2->clear();
    ComboBox2->addItems(years);
    ComboBox2->setCurrentIndex(years.indexOf(selected));
}

void TForm19::ShowForJournalDate(const QDate& date) {
    refreshYearList();
    {
        const QSignalBlocker blockMonth(ComboBox1);
        const QSignalBlocker blockYear(ComboBox2);
        ComboBox1->setCurrentIndex(date.month() - 1);
        const QStringList years = timesheet::yearList(ui::today());
        ComboBox2->setCurrentIndex(timesheet::yearIndexFor(date.year(), years));
    }
    ComboBox1Change();
    ui::showModal(this);
    for (int shift = 1; shift <= 3; ++shift)
        DataModule6->timesheetOf(shift)->close();
}
