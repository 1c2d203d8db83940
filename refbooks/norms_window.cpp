#include "refbooks/norms_window.h"

#include "data/book_fields.h"
#include "data/data_module.h"
#include "data/dataset_model.h"
#include "data/db_error.h"
#include "refbooks/change_verdict.h"
#include "refbooks/norms_rules.h"
#include "refbooks/shown_rows.h"
#include "ui/controls.h"
#include "ui/dialogs.h"
#include "ui/error_display.h"
#include "ui/modal.h"
#include "views/columns.h"

#include <QHBoxLayout>

#include <QHeaderView>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPushButton>
#include <QStyledItemDelegate>
#include <QTableView>
#include <QVBoxLayout>
#include <algorithm>

namespace norms = refbooks::norms;

namespace {

// The grid's data link with a row indicator: the current row, a new row, a changed row.
class NormsModel : public data::DatasetModel {
public:
    using data::DatasetModel::DatasetModel;

    QVariant headerData(int section, Qt::Orientation orientation, int role) const override {
        if (orientation != Qt::Vertical)
            return data::DatasetModel::headerData(section, orientation, role);
        if (role != Qt::DisplayRole)
            return {};
        const data::Dataset* ds = dataset();
        if (!ds || section != ds->recNo() - 1)
            return QString();
        if (ds->state() == data::Dataset::State::Insert)
            return QStringLiteral("*");
        return ds->isModified() ? QStringLiteral("✎") : QStringLiteral("▶");
    }
};

// Cells are typed as text by the key rule of their column and read whole by the same rule (a
// pasted text included); a text the table cannot hold is refused and the cell keeps its value.
class NormCellDelegate : public QStyledItemDelegate {
public:
    using QStyledItemDelegate::QStyledItemDelegate;

    QWidget* createEditor(QWidget* parent, const QStyleOptionViewItem&,
                          const QModelIndex& index) const override {
        auto* editor = new QLineEdit(parent);
        editor->setFrame(false);
        ui::filterKeys(editor, norms::cellKeyRule(field(index)));
        return editor;
    }

    void setEditorData(QWidget* editor, const QModelIndex& index) const override {
        static_cast<QLineEdit*>(editor)->setText(
            norms::editText(field(index), index.data(Qt::EditRole)));
    }

    void setModelData(QWidget* editor, QAbstractItemModel* model,
                      const QModelIndex& index) const override {
        const norms::CellValue cell =
            norms::parseCell(field(index), static_cast<QLineEdit*>(editor)->text());
        if (!cell.problem.isEmpty()) {
            ui::showRefusal(cell.problem);
            return;
        }
        const QVariant old = index.data(Qt::EditRole);
        const bool wasEmpty = old.isNull() || old.toString().isEmpty();
        if (cell.value.isNull() ? wasEmpty : (!wasEmpty && old.toDouble() == cell.value.toDouble()))
            return;  // unchanged: the row is not marked as changed
        ui::runGuarded([&] { model->setData(index, cell.value); });
    }

private:
    static QString field(const QModelIndex& index) {
        const auto* m = static_cast<const data::DatasetModel*>(index.model());
        return m->columns()[index.column()].field;
    }
};

// Tab and Backtab out of a cell editor move on to the next cell and edit it. Moving on may store
// the row and re-read the table, which re-sorts it: the cell edited next is the one the window
// puts the cursor on, not the one Qt aimed at before the rows moved (an index gone stale).
class NormsGrid : public QTableView {
public:
    using QTableView::QTableView;

protected:
    void closeEditor(QWidget* editor, QAbstractItemDelegate::EndEditHint hint) override {
        if (hint != QAbstractItemDelegate::EditNextItem &&
            hint != QAbstractItemDelegate::EditPreviousItem) {
            QTableView::closeEditor(editor, hint);
            return;
        }
        QTableView::closeEditor(editor, QAbstractItemDelegate::NoHint);
        const QModelIndex target = moveCursor(
            hint == QAbstractItemDelegate::EditNextItem ? MoveNext : MovePrevious, Qt::NoModifier);
        if (!target.isValid())
            return;
        setCurrentIndex(target);
        const QModelIndex now = currentIndex();
        if (now.isValid() && (model()->flags(now) & Qt::ItemIsEditable) && state() != EditingState)
            edit(now);
    }
};

}  // namespace

refbooks::NormsWindow::NormsWindow(data::SharedData& db, QWidget* parent)
    : ui::Window(parent), db_(db) {
    setObjectName(QStringLiteral("Form22"));
    setWindowTitle(QStringLiteral("Норматив"));
    normTable_ = new data::Dataset(QStringLiteral("norm"), this);
    normTable_->setSql(norms::normsTableStatement());
    normTable_->setUpdateTable(QStringLiteral("accounts_dep.norm"));
    normTable_->setChangeSubject(data::Subject::Norm);
    buildGrid();
    followTable();
    buildButtons();

    // Opened with all norms at creation, during start-up: a failure escapes start-up, which shows
    // it and ends. The operations list narrows the table before each showing. A database with
    // personal logins lets nobody read norms before a person has logged in.
    if (db_.connection.isOpen() && !db_.personalLogins)
        normTable_->open();
}

void refbooks::NormsWindow::buildGrid() {
    grid_ = new NormsGrid(this);
    grid_->setObjectName(QStringLiteral("DBGrid1"));
    model_ = new NormsModel(this);
    model_->setColumns(data::gridColumns(data::normFields()));
    model_->setEditable(true);
    model_->setDataset(normTable_);
    grid_->setModel(model_);
    grid_->setItemDelegate(new NormCellDelegate(grid_));
    grid_->setSelectionMode(QAbstractItemView::SingleSelection);
    grid_->setEditTriggers(QAbstractItemView::DoubleClicked | QAbstractItemView::EditKeyPressed |
                           QAbstractItemView::AnyKeyPressed | QAbstractItemView::SelectedClicked);
    grid_->horizontalHeader()->setHighlightSections(false);
    grid_->horizontalHeader()->setSectionResizeMode(QHeaderView::Stretch);
    grid_->verticalHeader()->setDefaultSectionSize(grid_->fontMetrics().height() + 6);
    grid_->verticalHeader()->setMinimumWidth(22);
    grid_->verticalHeader()->setDefaultAlignment(Qt::AlignCenter);
    grid_->installEventFilter(this);
}

void refbooks::NormsWindow::followTable() {
    connect(grid_->selectionModel(), &QItemSelectionModel::currentChanged, this,
            [this](const QModelIndex& current, const QModelIndex& previous) {
                if (!moving_)
                    ui::runGuarded([&] { cellMoved(current, previous); });
            });
    connect(model_, &QAbstractItemModel::modelReset, this, [this] { showDatasetRow(); });
    connect(model_, &data::DatasetModel::currentMoved, this, [this] { showDatasetRow(); });
    auto indicator = [this] {
        if (model_->rowCount() > 0)
            emit model_->headerDataChanged(Qt::Vertical, 0, model_->rowCount() - 1);
    };
    connect(normTable_, &data::Dataset::rowDataChanged, this, indicator);
    connect(normTable_, &data::Dataset::currentChanged, this, [this] { noteLoaded(); });
    connect(normTable_, &data::Dataset::rowsChanged, this, [this] { noteLoaded(); });
    connect(normTable_, &data::Dataset::currentChanged, this, indicator);
}

void refbooks::NormsWindow::buildButtons() {
    saveButton_ = ui::makeButton(this, "Button1", QStringLiteral("Сохранить"));
    saveButton_->setDefault(true);
    deleteButton_ = ui::makeButton(this, "Button2", QStringLiteral("Удалить"));
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(saveButton_);
    buttons->addStretch();
    buttons->addWidget(deleteButton_);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(grid_);
    layout->addLayout(buttons);
    ui::fixSize(this, QSize(380, 320));

    connect(saveButton_, &QPushButton::clicked, this, ui::guarded([this] { saveAndClose(); }));
    connect(deleteButton_, &QPushButton::clicked, this, ui::guarded([this] { deleteRow(); }));
}

void refbooks::NormsWindow::showForOperation(int operationId) {
    normTable_->close();
    normTable_->setFilter(QStringLiteral("o_id=%1").arg(operationId));
    normTable_->setFiltered(true);
    normTable_->open();
    ui::showModal(this);
}

void refbooks::NormsWindow::windowActivated() {
    grid_->setFocus();
}

int refbooks::NormsWindow::storedRowCount() const {
    return normTable_->recordCount() -
           (normTable_->state() == data::Dataset::State::Insert ? 1 : 0);
}

void refbooks::NormsWindow::showDatasetRow() {
    const int row = normTable_->recNo() - 1;
    const QModelIndex current = grid_->currentIndex();
    const int column = current.isValid() ? current.column() : 0;
    moving_ = true;
    if (row < 0 || row >= model_->rowCount())
        grid_->selectionModel()->clearCurrentIndex();
    else if (current.row() != row || !current.isValid())
        grid_->setCurrentIndex(model_->index(row, column));
    moving_ = false;
}

void refbooks::NormsWindow::cellMoved(const QModelIndex& current, const QModelIndex& previous) {
    const bool leavingRow = previous.isValid() && current.row() != previous.row();
    if (previous.isValid() && (leavingRow || current.column() != previous.column())) {
        // The target row by its key: storing re-reads the table, which may reorder the rows.
        const int idField = normTable_->fieldIndex(QStringLiteral("id"));
        const QVariant targetId =
            current.isValid() ? normTable_->valueAt(current.row(), idField) : QVariant();
        bool stored = false;
        try {
            stored = columnLeft(leavingRow);
        } catch (...) {
            showDatasetRow();  // a refused row keeps the grid on it
            moving_ = true;
            grid_->setCurrentIndex(model_->index(normTable_->recNo() - 1, previous.column()));
            moving_ = false;
            throw;
        }
        if (!stored) {
            moving_ = true;
            grid_->setCurrentIndex(previous);
            moving_ = false;
            return;
        }
        if (leavingRow && !targetId.isNull() && targetId.isValid())
            normTable_->locate(QStringLiteral("id"), targetId);
        else if (leavingRow && current.isValid())
            normTable_->setRecNo(current.row() + 1);
        moving_ = true;
        if (normTable_->recNo() > 0)
            grid_->setCurrentIndex(model_->index(normTable_->recNo() - 1, current.column()));
        moving_ = false;
    } else if (current.isValid() && normTable_->recNo() != current.row() + 1) {
        normTable_->setRecNo(current.row() + 1);
    }
    columnEntered();
}

void refbooks::NormsWindow::columnEntered() {
    if (!normTable_->isOpen())
        return;
    if (normTable_->state() == data::Dataset::State::Insert) {
        normIsNew_ = true;  // the new row being added stays
    } else if (normTable_->isEmpty()) {
        normTable_->insert();
        normIsNew_ = true;
    } else {
        noteLoaded();
        normTable_->edit();
        normIsNew_ = false;
    }
}

bool refbooks::NormsWindow::columnLeft(bool leavingRow) {
    if (!normTable_->isModified()) {
        if (leavingRow)
            normTable_->cancel();  // an untouched new row is dropped, never stored blank
        return true;
    }
    const QString problem = norms::rowProblem(normTable_->value(QStringLiteral("price")));
    if (!problem.isEmpty()) {
        if (!leavingRow)
            return true;  // the row is still being filled in
        ui::showRefusal(problem);
        return false;
    }
    return storePending();
}

void refbooks::NormsWindow::noteLoaded() {
    if (normTable_->state() != data::Dataset::State::Browse || normTable_->recNo() == 0)
        return;
    loaded_ = refbooks::shown::norm(*normTable_);
}

bool refbooks::NormsWindow::postOverLoaded() {
    // Every stored row is noted when it becomes current, so loaded_ is the row being edited.
    const qint64 id = normTable_->asInt64(QStringLiteral("id"));
    const data::Verdict verdict = data::writeUnlessChanged(refbooks::shown::guardedNorm(id),
                                                           loaded_, [this] { normTable_->post(); });
    if (verdict.kind == data::Verdict::Kind::Gone)
        throw data::RowGoneError();
    // Refused, the row stays in editing: the cells the user left alone take the stored values.
    const refbooks::EditedRow row{
        [this] { return refbooks::shown::norm(*normTable_); },
        [this](const QString& field, const data::RowSnapshot& stored) {
            const bool price = field == QLatin1String("price");
            const QString text = stored.value(price ? QStringLiteral("price_value") : field);
            normTable_->setValue(field, text.isEmpty() ? QVariant()
                                        : price        ? QVariant(text.toDouble())
                                                       : QVariant(text.toLongLong()));
        }};
    return refbooks::takeVerdict(verdict, refbooks::shown::guardedNorm(id).fields, row, loaded_);
}

bool refbooks::NormsWindow::storePending() {
    // Every new norm belongs to the operation whose norms are shown, however it is stored.
    const bool isNew = normTable_->state() == data::Dataset::State::Insert;
    if (isNew)
        normTable_->setValue(QStringLiteral("o_id"), db_.operations->asInt(QStringLiteral("id")));
    try {
        if (isNew)
            normTable_->post();
        else if (!postOverLoaded())
            return false;  // stays in editing with what was typed
    } catch (const data::RowGoneError&) {
        // The change can never be stored: drop it and show the norms as they are now.
        const int row = normTable_->recNo();
        normTable_->cancel();
        reloadNorms(0, row);
        throw;
    }
    reloadNorms(normTable_->asInt(QStringLiteral("id")), normTable_->recNo());
    return true;
}

void refbooks::NormsWindow::reloadNorms(int keepId, int keepRow) {
    normTable_->reopen();
    if (keepId == 0 || !normTable_->locate(QStringLiteral("id"), keepId))
        normTable_->setRecNo(keepRow);
}

void refbooks::NormsWindow::startNewRow() {
    if (normTable_->state() == data::Dataset::State::Insert)
        return;
    if (!columnLeft(true))
        return;
    const int column = std::max(0, grid_->currentIndex().column());
    normTable_->insert();
    normIsNew_ = true;
    moving_ = true;
    grid_->setCurrentIndex(model_->index(normTable_->recNo() - 1, column));
    moving_ = false;
}

void refbooks::NormsWindow::saveAndClose() {
    if (normTable_->isModified()) {
        const QString problem = norms::rowProblem(normTable_->value(QStringLiteral("price")));
        if (!problem.isEmpty()) {
            ui::showRefusal(problem);
            return;
        }
        if (!storePending())
            return;
    } else {
        normTable_->cancel();
    }
    data::Dataset* o = db_.operations;
    o->reopenAt(o->recNo());
    accept();
}

void refbooks::NormsWindow::deleteRow() {
    const int row = normTable_->recNo();
    if (normTable_->state() == data::Dataset::State::Insert)
        normTable_->cancel();       // a row never stored: nothing to delete
    else if (storedRowCount() > 1)  // an operation keeps its last norm
        data::reloadIfRowGone(*normTable_, [this] { normTable_->remove(); });
    reloadNorms(0, row);
}

bool refbooks::NormsWindow::eventFilter(QObject* watched, QEvent* event) {
    if (watched == grid_ && event->type() == QEvent::KeyPress) {
        const auto* key = static_cast<QKeyEvent*>(event);
        const bool onLastRow = grid_->currentIndex().row() == model_->rowCount() - 1;
        if (key->key() == Qt::Key_Insert || (key->key() == Qt::Key_Down && onLastRow)) {
            ui::runGuarded([this] { startNewRow(); });
            return true;
        }
    }
    return ui::Window::eventFilter(watched, event);
}

void refbooks::NormsWindow::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Escape) {
        ui::runGuarded([this] { saveAndClose(); });
        return;
    }
    ui::Window::keyPressEvent(event);
}
