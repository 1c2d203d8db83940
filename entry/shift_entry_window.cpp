#include "entry/shift_entry_window.h"

#include "data/data_module.h"
#include "data/dataset.h"
#include "entry/entry_save.h"
#include "entry/shift_grid.h"
#include "refbooks/operations_list.h"
#include "refbooks/workers_list.h"
#include "ui/clock.h"
#include "ui/controls.h"
#include "ui/error_display.h"
#include "ui/format.h"
#include "ui/modal.h"

#include <QComboBox>
#include <QDateEdit>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QShortcut>
#include <QTableWidget>
#include <QVBoxLayout>

using entry::shift::isDigitColumn;
using entry::shift::isOperationColumn;
using entry::shift::ShiftRow;

namespace {

const QColor kRefusedRow(255, 205, 205);

QString shiftName(int shift) {
    return shift == 4 ? QStringLiteral("Переработка") : QStringLiteral("Смена №%1").arg(shift);
}

}  // namespace

entry::ShiftEntryWindow::ShiftEntryWindow(data::SharedData& db, refbooks::WorkersList& workers,
                                          refbooks::OperationsList& operations,
                                          std::function<JournalContext()> journal, QWidget* parent)
    : ui::Window(parent),
      db_(db),
      workers_(workers),
      operations_(operations),
      journal_(std::move(journal)) {
    setObjectName(QStringLiteral("ShiftEntryWindow"));
    setWindowTitle(QStringLiteral("Ввод смены"));
    buildControls();
    layOutControls();
}

void entry::ShiftEntryWindow::buildControls() {
    journalLabel_ = new QLabel(this);
    journalLabel_->setObjectName(QStringLiteral("shiftJournalLabel"));

    sourceDate_ = new QDateEdit(this);
    sourceDate_->setObjectName(QStringLiteral("sourceDateEdit"));
    sourceDate_->setCalendarPopup(true);
    sourceDate_->setDisplayFormat(QStringLiteral("dd.MM.yyyy"));
    sourceShift_ = new QComboBox(this);
    sourceShift_->setObjectName(QStringLiteral("sourceShiftBox"));
    for (int shift = 1; shift <= 4; ++shift)
        sourceShift_->addItem(shiftName(shift), shift);
    copyButton_ = ui::makeButton(this, "copyShiftButton", QStringLiteral("Копировать смену"));

    grid_ = new entry::shift::ShiftGrid(0, ColumnCount, this);
    grid_->onInsert = [this] { ui::runGuarded([this] { addRow(); }); };
    grid_->onRemove = [this] { ui::runGuarded([this] { removeRow(); }); };
    grid_->onPick = [this] { ui::runGuarded([this] { pickForCell(); }); };
    grid_->setObjectName(QStringLiteral("shiftGrid"));
    grid_->setHorizontalHeaderLabels(
        {QStringLiteral("Фамилия И.О."), QStringLiteral("Марка изделия"),
         QStringLiteral("Операция"), QStringLiteral("Вид"), QStringLiteral("Цвет"),
         QStringLiteral("Кол-во"), QStringLiteral("Брак"), QStringLiteral("Часы"),
         QStringLiteral("Цена итог"), QStringLiteral("Сумма"), QStringLiteral("Отказ")});
    for (const auto& [column, width] :
         std::initializer_list<std::pair<int, int>>{{WorkerColumn, 190},
                                                    {MarkColumn, 100},
                                                    {OperationColumn, 140},
                                                    {GoodsColumn, 130},
                                                    {ColourColumn, 50},
                                                    {QuantityColumn, 60},
                                                    {DefectsColumn, 50},
                                                    {HoursColumn, 50},
                                                    {PriceColumn, 75},
                                                    {SumColumn, 80},
                                                    {RefusalColumn, 330}})
        grid_->setColumnWidth(column, width);
    grid_->horizontalHeader()->setStretchLastSection(true);
    grid_->setSelectionBehavior(QAbstractItemView::SelectItems);
    grid_->setSelectionMode(QAbstractItemView::SingleSelection);
    grid_->setEditTriggers(QAbstractItemView::AnyKeyPressed | QAbstractItemView::DoubleClicked |
                           QAbstractItemView::EditKeyPressed);
    grid_->setItemDelegate(new entry::shift::ShiftDelegate(
        [this](int column) {
            return column == WorkerColumn ? names_.workerNames() : names_.operationTexts();
        },
        grid_));
    grid_->setMinimumSize(1300, 380);  // every column without scrolling
    connect(grid_, &QTableWidget::cellChanged, this, [this](int row, int column) {
        ui::runGuarded([this, row, column] { cellEdited(row, column); });
    });

    addRowButton_ = ui::makeButton(this, "addRowButton", QStringLiteral("Добавить строку"));
    removeRowButton_ = ui::makeButton(this, "removeRowButton", QStringLiteral("Удалить строку"));
    sortButton_ = ui::makeButton(this, "sortRowsButton", QStringLiteral("По фамилиям"));
    totals_ = new QLabel(this);
    totals_->setObjectName(QStringLiteral("shiftTotalsLabel"));
    saveButton_ = ui::makeButton(this, "saveShiftButton", QStringLiteral("Записать"));
    saveButton_->setToolTip(QStringLiteral("Ctrl+S"));
    closeButton_ = ui::makeButton(this, "closeShiftButton", QStringLiteral("Закрыть"));

    connect(copyButton_, &QPushButton::clicked, this,
            ui::guarded(QStringLiteral("shift: copy"), [this] { copyShift(); }));
    connect(addRowButton_, &QPushButton::clicked, this, ui::guarded([this] { addRow(); }));
    connect(removeRowButton_, &QPushButton::clicked, this, ui::guarded([this] { removeRow(); }));
    connect(sortButton_, &QPushButton::clicked, this, ui::guarded([this] { sortRows(); }));
    connect(saveButton_, &QPushButton::clicked, this,
            ui::guarded(QStringLiteral("shift save"), [this] { save(); }));
    connect(closeButton_, &QPushButton::clicked, this, &QDialog::reject);
    auto* saveKey = new QShortcut(QKeySequence(Qt::CTRL | Qt::Key_S), this);
    connect(saveKey, &QShortcut::activated, this,
            ui::guarded(QStringLiteral("shift save"), [this] { save(); }));
}

void entry::ShiftEntryWindow::layOutControls() {
    auto* source = new QHBoxLayout;
    source->addWidget(journalLabel_);
    source->addSpacing(24);
    source->addWidget(new QLabel(QStringLiteral("Копировать из:"), this));
    source->addWidget(sourceDate_);
    source->addWidget(sourceShift_);
    source->addWidget(copyButton_);
    source->addStretch();

    auto* rowsLine = new QHBoxLayout;
    rowsLine->addWidget(addRowButton_);
    rowsLine->addWidget(removeRowButton_);
    rowsLine->addWidget(sortButton_);
    rowsLine->addSpacing(24);
    rowsLine->addWidget(totals_);
    rowsLine->addStretch();
    rowsLine->addWidget(saveButton_);
    rowsLine->addWidget(closeButton_);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(source);
    layout->addWidget(grid_, 1);
    layout->addLayout(rowsLine);

    setTabOrder(copyButton_, grid_);
    setTabOrder(grid_, saveButton_);
}

entry::shift::ShiftContext entry::ShiftEntryWindow::context() const {
    const JournalContext j = journal_();
    return {j.date, j.shift, j.dayOff, ui::today()};
}

void entry::ShiftEntryWindow::showForJournal() {
    prepare();
    copyButton_->setFocus();
    ui::showModal(this);
}

void entry::ShiftEntryWindow::prepare() {
    const entry::shift::ShiftContext c = context();
    journalLabel_->setText(QStringLiteral("%1, %2").arg(ui::dateText(c.date), shiftName(c.shift)));
    const QDate last = db_.readOneRow(
        entry::shift::lastShiftDayStatement(c.date, c.shift), [](const data::Dataset& q) {
            return q.isEmpty() ? QDate() : q.value(QStringLiteral("data")).toDate();
        });
    sourceDate_->setDate(last.isValid() ? last : c.date.addDays(-1));
    sourceShift_->setCurrentIndex(sourceShift_->findData(c.shift));
    names_.forget();
    setRows({});
}

void entry::ShiftEntryWindow::copyShift() {
    data::Dataset source;
    source.setSql(entry::shift::sourceShiftStatement(sourceDate_->date(),
                                                     sourceShift_->currentData().toInt()));
    source.open();
    const data::CloseAtScopeEnd closing(source);
    setRows(entry::shift::copiedRows(source));
    if (!rows_.empty()) {
        grid_->setFocus();
        grid_->setCurrentCell(0, QuantityColumn);
    }
}

void entry::ShiftEntryWindow::setRows(std::vector<ShiftRow> rows) {
    rows_ = std::move(rows);
    refusals_.assign(rows_.size(), QString());
    showRows();
}

void entry::ShiftEntryWindow::showRows() {
    showing_ = true;
    grid_->setRowCount(static_cast<int>(rows_.size()));
    for (int row = 0; row < grid_->rowCount(); ++row)
        showRow(row);
    showing_ = false;
    showTotals();
}

void entry::ShiftEntryWindow::showRow(int row) {
    const bool wasShowing = showing_;
    showing_ = true;
    const ShiftRow& r = rows_[static_cast<std::size_t>(row)];
    const entry::shift::ShiftContext c = context();
    const QString refusal = refusals_[static_cast<std::size_t>(row)];
    // Items are kept and rewritten: this may run while one of them announces its change.
    auto cell = [&](int column, const QString& text, bool editable) {
        QTableWidgetItem* item = grid_->item(row, column);
        if (!item) {
            item = new QTableWidgetItem;
            grid_->setItem(row, column, item);
        }
        item->setText(text);
        item->setFlags(editable ? Qt::ItemIsSelectable | Qt::ItemIsEnabled | Qt::ItemIsEditable
                                : Qt::ItemIsSelectable | Qt::ItemIsEnabled);
        item->setBackground(refusal.isEmpty() ? QBrush() : QBrush(kRefusedRow));
        if (isDigitColumn(column) || column == PriceColumn || column == SumColumn)
            item->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
        return item;
    };
    const bool priced = r.hasOperation();
    cell(WorkerColumn, r.worker, true);
    cell(MarkColumn, r.mark, true)->setData(Qt::UserRole, r.operationText());
    cell(OperationColumn, r.kind, true)->setData(Qt::UserRole, r.operationText());
    cell(GoodsColumn, priced ? r.goodsText() : QString(), false);
    cell(ColourColumn, r.isPaint() ? r.colour : QString(), r.isPaint());
    cell(QuantityColumn, r.quantity, true);
    cell(DefectsColumn, r.defects, true);
    cell(HoursColumn, r.hours, true);
    cell(PriceColumn, priced ? ui::priceText(entry::shift::finalPriceOf(r, c)) : QString(), false);
    cell(SumColumn, priced ? ui::priceText(entry::shift::sumOf(r, c)) : QString(), false);
    cell(RefusalColumn, refusal, false);
    showing_ = wasShowing;
}

void entry::ShiftEntryWindow::showTotals() {
    const entry::shift::ShiftContext c = context();
    qint64 pieces = 0;
    double sum = 0;
    for (const ShiftRow& r : rows_) {
        pieces += r.quantity.toLongLong();
        sum += entry::shift::sumOf(r, c);
    }
    totals_->setText(QStringLiteral("Строк: %1   Кол-во: %2   Сумма: %3")
                         .arg(rows_.size())
                         .arg(pieces)
                         .arg(ui::priceText(sum)));
}

void entry::ShiftEntryWindow::cellEdited(int row, int column) {
    if (showing_ || row < 0 || row >= static_cast<int>(rows_.size()))
        return;
    ShiftRow& r = rows_[static_cast<std::size_t>(row)];
    const QString text = grid_->item(row, column)->text().trimmed();
    switch (column) {
        case WorkerColumn:
            names_.takeWorkerName(r, text);
            break;
        case MarkColumn:
        case OperationColumn:
            names_.takeOperationText(r, text);
            break;
        case ColourColumn:
            r.colour = text;
            break;
        case QuantityColumn:
            r.quantity = text;
            break;
        case DefectsColumn:
            r.defects = text;
            break;
        case HoursColumn:
            r.hours = text;
            break;
        default:
            return;
    }
    // An edited row is checked again on the next "Записать".
    refusals_[static_cast<std::size_t>(row)].clear();
    showRow(row);
    showTotals();
}

void entry::ShiftEntryWindow::addRow() {
    const int at =
        grid_->currentRow() < 0 ? static_cast<int>(rows_.size()) : grid_->currentRow() + 1;
    rows_.insert(rows_.begin() + at, ShiftRow{});
    refusals_.insert(refusals_.begin() + at, QString());
    showRows();
    grid_->setFocus();
    grid_->setCurrentCell(at, WorkerColumn);
}

void entry::ShiftEntryWindow::removeRow() {
    const int row = grid_->currentRow();
    if (row < 0 || row >= static_cast<int>(rows_.size()))
        return;
    const int column = grid_->currentColumn();
    rows_.erase(rows_.begin() + row);
    refusals_.erase(refusals_.begin() + row);
    showRows();
    if (!rows_.empty())
        grid_->setCurrentCell(std::min(row, static_cast<int>(rows_.size()) - 1), column);
}

void entry::ShiftEntryWindow::sortRows() {
    // The reasons travel with their rows.
    std::vector<std::pair<ShiftRow, QString>> marked;
    for (std::size_t i = 0; i < rows_.size(); ++i)
        marked.emplace_back(rows_[i], refusals_[i]);
    std::stable_sort(marked.begin(), marked.end(), [](const auto& a, const auto& b) {
        return a.first.worker.localeAwareCompare(b.first.worker) < 0;
    });
    for (std::size_t i = 0; i < marked.size(); ++i) {
        rows_[i] = marked[i].first;
        refusals_[i] = marked[i].second;
    }
    showRows();
}

void entry::ShiftEntryWindow::pickForCell() {
    const int row = grid_->currentRow();
    if (row < 0 || row >= static_cast<int>(rows_.size()))
        return;
    ShiftRow& r = rows_[static_cast<std::size_t>(row)];
    const int column = grid_->currentColumn();
    if (column == WorkerColumn) {
        const std::optional<refbooks::WorkerChoice> worker = workers_.pick();
        if (!worker)
            return;
        r.workerId = worker->id;
        r.worker = worker->name;
    } else if (isOperationColumn(column)) {
        const std::optional<refbooks::OperationChoice> operation = operations_.pick(r.operationId);
        if (!operation)
            return;
        names_.takeOperation(r, operation->id);
    } else {
        return;
    }
    refusals_[static_cast<std::size_t>(row)].clear();
    showRow(row);
    showTotals();
}

void entry::ShiftEntryWindow::clearRefusals() {
    refusals_.assign(rows_.size(), QString());
}

void entry::ShiftEntryWindow::markRefusals(const std::vector<QString>& refusals) {
    refusals_ = refusals;
    showRows();
    // The first refused row is where the user goes on.
    for (std::size_t i = 0; i < refusals_.size(); ++i) {
        if (!refusals_[i].isEmpty()) {
            grid_->setCurrentCell(static_cast<int>(i), WorkerColumn);
            break;
        }
    }
}

void entry::ShiftEntryWindow::save() {
    grid_->takeTyping();
    if (rows_.empty())
        return;
    clearRefusals();
    const entry::shift::ShiftContext c = context();
    std::vector<QString> refusals(rows_.size());
    std::vector<entry::EntryValues> values;
    bool refused = false;
    for (std::size_t i = 0; i < rows_.size(); ++i) {
        if (const std::optional<QString> refusal = entry::shift::boxRefusal(rows_[i])) {
            refusals[i] = *refusal;
            refused = true;
        } else {
            values.push_back(entry::shift::valuesOf(rows_[i], c));
        }
    }
    if (refused) {
        markRefusals(refusals);
        return;
    }
    const entry::ShiftVerdict verdict = entry::saveShift(db_, values);
    if (!verdict.saved) {
        markRefusals(verdict.refusals);
        return;
    }
    // Written: the journal follows the shared data's news.
    setRows({});
    done(QDialog::Accepted);
}
