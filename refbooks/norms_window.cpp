#include "refbooks/norms_window.h"

#include "data/data_module.h"
#include "data/dataset_model.h"
#include "data/db_error.h"
#include "refbooks/norms_rules.h"
#include "ui/dialogs.h"
#include "ui/error_display.h"

#include <QHBoxLayout>

#include <QHeaderView>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPushButton>
#include <QStyledItemDelegate>
#include <QTableView>
#include <QVBoxLayout>
#include <algorithm>

TForm22* Form22 = nullptr;

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

// Cells are typed as text in the workstation's notation and read by the norms rules; a text the
// table cannot hold is refused and the cell keeps its value.
class NormCellDelegate : public QStyledItemDelegate {
public:
    using QStyledItemDelegate::QStyledItemDelegate;

    QWidget* createEditor(QWidget* parent, const QStyleOptionViewItem&,
                          const QModelIndex&) const override {
        auto* editor = new QLineEdit(parent);
        editor->setFrame(false);
        return editor;
    }

    void setEditorData(QWidget* editor, const QModelIndex& index) const override {
        const QVariant v = index.data(Qt::EditRole);
        QString text;
        if (!v.isNull() && v.isValid() && !v.toString().isEmpty())
            text = field(index) == QLatin1String("price")
                       ? QLocale().toString(v.toDouble(), 'g', 15)
                       : QString::number(v.toLongLong());
        static_cast<QLineEdit*>(editor)->setText(text);
    }

    void setModelData(QWidget* editor, QAbstractItemModel* model,
                      const QModelIndex& index) const override {
        const norms::CellValue cell =
            norms::parseCell(field(index), static_cast<QLineEdit*>(editor)->text(), QLocale());
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

TForm22::TForm22(QWidget* parent) : ui::Window(parent) {
    setObjectName(QStringLiteral("Form22"));
    setWindowTitle(QStringLiteral("Норматив"));

    norm = new data::Dataset(QStringLiteral("norm"), this);
    norm->setSql(QStringLiteral("select * from accounts_dep.norm order by norma"));
    norm->setUpdateTable(QStringLiteral("accounts_dep.norm"));

    DBGrid1 = new NormsGrid(this);
    DBGrid1->setObjectName(QStringLiteral("DBGrid1"));
    model_ = new NormsModel(this);
    const Qt::Alignment right = Qt::AlignRight | Qt::AlignVCenter;
    data::GridColumn price =
        data::gridColumn(QStringLiteral("price"), QStringLiteral("Цена"), true, right);
    price.format = norms::priceText;
    model_->setColumns(
        {data::gridColumn(QStringLiteral("norma"), QStringLiteral("Норматив"), true, right), price,
         data::gridColumn(QStringLiteral("prize"), QStringLiteral("Премия, %"), true, right)});
    model_->setEditable(true);
    model_->setDataset(norm);
    DBGrid1->setModel(model_);
    DBGrid1->setItemDelegate(new NormCellDelegate(DBGrid1));
    DBGrid1->setSelectionMode(QAbstractItemView::SingleSelection);
    DBGrid1->setEditTriggers(QAbstractItemView::DoubleClicked | QAbstractItemView::EditKeyPressed |
                             QAbstractItemView::AnyKeyPressed | QAbstractItemView::SelectedClicked);
    DBGrid1->horizontalHeader()->setHighlightSections(false);
    DBGrid1->horizontalHeader()->setSectionResizeMode(QHeaderView::Stretch);
    DBGrid1->verticalHeader()->setDefaultSectionSize(DBGrid1->fontMetrics().height() + 6);
    DBGrid1->verticalHeader()->setMinimumWidth(22);
    DBGrid1->verticalHeader()->setDefaultAlignment(Qt::AlignCenter);
    DBGrid1->installEventFilter(this);

    connect(DBGrid1->selectionModel(), &QItemSelectionModel::currentChanged, this,
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
    connect(norm, &data::Dataset::rowDataChanged, this, indicator);
    connect(norm, &data::Dataset::currentChanged, this, indicator);

    Button1 = new QPushButton(QStringLiteral("Сохранить"), this);
    Button1->setObjectName(QStringLiteral("Button1"));
    Button1->setDefault(true);
    Button2 = new QPushButton(QStringLiteral("Удалить"), this);
    Button2->setObjectName(QStringLiteral("Button2"));
    Button2->setAutoDefault(false);
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(Button1);
    buttons->addStretch();
    buttons->addWidget(Button2);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(DBGrid1);
    layout->addLayout(buttons);
    ui::fixSize(this, QSize(380, 320));

    connect(Button1, &QPushButton::clicked, this, ui::guarded([this] { Button1Click(); }));
    connect(Button2, &QPushButton::clicked, this, ui::guarded([this] { Button2Click(); }));

    // Opened with all norms at creation; the operations list narrows it before each showing.
    if (DataModule6 && DataModule6->ADO_DB.isOpen())
        ui::runGuarded([this] { norm->open(); });
}

void TForm22::FormActivate() {
    DBGrid1->setFocus();
}

int TForm22::storedRowCount() const {
    return norm->recordCount() - (norm->state() == data::Dataset::State::Insert ? 1 : 0);
}

void TForm22::showDatasetRow() {
    const int row = norm->recNo() - 1;
    const QModelIndex current = DBGrid1->currentIndex();
    const int column = current.isValid() ? current.column() : 0;
    moving_ = true;
    if (row < 0 || row >= model_->rowCount())
        DBGrid1->selectionModel()->clearCurrentIndex();
    else if (current.row() != row || !current.isValid())
        DBGrid1->setCurrentIndex(model_->index(row, column));
    moving_ = false;
}

void TForm22::cellMoved(const QModelIndex& current, const QModelIndex& previous) {
    const bool leavingRow = previous.isValid() && current.row() != previous.row();
    if (previous.isValid() && (leavingRow || current.column() != previous.column())) {
        // The target row by its key: storing re-reads the table, which may reorder the rows.
        const int idField = norm->fieldIndex(QStringLiteral("id"));
        const QVariant targetId =
            current.isValid() ? norm->valueAt(current.row(), idField) : QVariant();
        bool stored = false;
        try {
            stored = DBGrid1ColExit(leavingRow);
        } catch (...) {
            showDatasetRow();  // a refused row keeps the grid on it
            moving_ = true;
            DBGrid1->setCurrentIndex(model_->index(norm->recNo() - 1, previous.column()));
            moving_ = false;
            throw;
        }
        if (!stored) {
            moving_ = true;
            DBGrid1->setCurrentIndex(previous);
            moving_ = false;
            return;
        }
        if (leavingRow && !targetId.isNull() && targetId.isValid())
            norm->locate(QStringLiteral("id"), targetId);
        else if (leavingRow && current.isValid())
            norm->setRecNo(current.row() + 1);
        moving_ = true;
        if (norm->recNo() > 0)
            DBGrid1->setCurrentIndex(model_->index(norm->recNo() - 1, current.column()));
        moving_ = false;
    } else if (current.isValid() && norm->recNo() != current.row() + 1) {
        norm->setRecNo(current.row() + 1);
    }
    DBGrid1ColEnter();
}

void TForm22::DBGrid1ColEnter() {
    if (!norm->isOpen())
        return;
    if (norm->state() == data::Dataset::State::Insert) {
        norm_is_new = true;  // the new row being added stays
    } else if (norm->isEmpty()) {
        norm->insert();
        norm_is_new = true;
    } else {
        norm->edit();
        norm_is_new = false;
    }
}

bool TForm22::DBGrid1ColExit(bool leavingRow) {
    if (!norm->isModified()) {
        if (leavingRow)
            norm->cancel();  // an untouched new row is dropped, never stored blank
        return true;
    }
    const QString problem = norms::rowProblem(norm->value(QStringLiteral("price")));
    if (!problem.isEmpty()) {
        if (!leavingRow)
            return true;  // the row is still being filled in
        ui::showRefusal(problem);
        return false;
    }
    storePending();
    return true;
}

void TForm22::storePending() {
    // Every new norm belongs to the operation whose norms are shown, however it is stored.
    if (norm->state() == data::Dataset::State::Insert)
        norm->setValue(QStringLiteral("o_id"), DataModule6->Oper->asInt(QStringLiteral("id")));
    try {
        norm->post();
    } catch (const data::RowGoneError&) {
        // The change can never be stored: drop it and show the norms as they are now.
        const int row = norm->recNo();
        norm->cancel();
        reloadNorms(0, row);
        throw;
    }
    reloadNorms(norm->asInt(QStringLiteral("id")), norm->recNo());
}

void TForm22::reloadNorms(int keepId, int keepRow) {
    norm->reopen();
    if (keepId == 0 || !norm->locate(QStringLiteral("id"), keepId))
        norm->setRecNo(keepRow);
}

void TForm22::StartNewRow() {
    if (norm->state() == data::Dataset::State::Insert)
        return;
    if (!DBGrid1ColExit(true))
        return;
    const int column = std::max(0, DBGrid1->currentIndex().column());
    norm->insert();
    norm_is_new = true;
    moving_ = true;
    DBGrid1->setCurrentIndex(model_->index(norm->recNo() - 1, column));
    moving_ = false;
}

void TForm22::Button1Click() {
    if (norm->isModified()) {
        const QString problem = norms::rowProblem(norm->value(QStringLiteral("price")));
        if (!problem.isEmpty()) {
            ui::showRefusal(problem);
            return;
        }
        storePending();
    } else {
        norm->cancel();
    }
    data::Dataset* o = DataModule6->Oper;
    o->reopenAt(o->recNo());
    accept();
}

void TForm22::Button2Click() {
    const int row = norm->recNo();
    if (norm->state() == data::Dataset::State::Insert)
        norm->cancel();  // a row never stored: nothing to delete
    else if (storedRowCount() > 1)
        norm->remove();  // an operation keeps its last norm
    reloadNorms(0, row);
}

bool TForm22::eventFilter(QObject* watched, QEvent* event) {
    if (watched == DBGrid1 && event->type() == QEvent::KeyPress) {
        const auto* key = static_cast<QKeyEvent*>(event);
        const bool onLastRow = DBGrid1->currentIndex().row() == model_->rowCount() - 1;
        if (key->key() == Qt::Key_Insert || (key->key() == Qt::Key_Down && onLastRow)) {
            ui::runGuarded([this] { StartNewRow(); });
            return true;
        }
    }
    return ui::Window::eventFilter(watched, event);
}

void TForm22::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Escape) {
        ui::runGuarded([this] { Button1Click(); });
        return;
    }
    ui::Window::keyPressEvent(event);
}
