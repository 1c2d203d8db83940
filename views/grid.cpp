#include "views/grid.h"

#include <QHeaderView>
#include <QItemSelectionModel>

namespace ui {

namespace {
void selectCurrent(QTableView* grid, data::DatasetModel* model) {
    data::Dataset* ds = model->dataset();
    if (!ds || !grid->selectionModel())
        return;
    const int row = ds->recNo() - 1;
    if (row < 0 || row >= model->rowCount()) {
        grid->selectionModel()->clearCurrentIndex();
        return;
    }
    const QModelIndex current = grid->selectionModel()->currentIndex();
    const int column = current.isValid() ? current.column() : 0;
    const QModelIndex target = model->index(row, column);
    if (current.row() != row) {
        grid->selectionModel()->setCurrentIndex(
            target, QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
        grid->scrollTo(target);
    }
}

void applyColumns(QTableView* grid, const data::DatasetModel* model) {
    const auto& columns = model->columns();
    for (size_t i = 0; i < columns.size(); ++i) {
        grid->setColumnHidden(static_cast<int>(i), columns[i].hidden);
        if (columns[i].width > 0)
            grid->setColumnWidth(static_cast<int>(i), columns[i].width);
    }
}
}  // namespace

void setUpGrid(QTableView* grid, bool readOnly) {
    grid->setSelectionBehavior(QAbstractItemView::SelectRows);
    grid->setSelectionMode(QAbstractItemView::SingleSelection);
    if (readOnly)
        grid->setEditTriggers(QAbstractItemView::NoEditTriggers);
    grid->verticalHeader()->setDefaultSectionSize(grid->fontMetrics().height() + 6);
    grid->horizontalHeader()->setHighlightSections(false);
}

void followDataset(QTableView* grid, data::DatasetModel* model) {
    // The dataset may be switched or reloaded: follow its current row after every change.
    auto follow = [grid, model] {
        if (grid->model() == model)
            selectCurrent(grid, model);
    };
    QObject::connect(model, &QAbstractItemModel::modelReset, grid, follow);
    QObject::connect(model, &data::DatasetModel::currentMoved, grid, follow);
}

void showModel(QTableView* grid, data::DatasetModel* model) {
    if (grid->model() == model)
        return;
    QItemSelectionModel* old = grid->selectionModel();
    grid->setModel(model);
    delete old;  // the view does not delete the selection model it replaces
    applyColumns(grid, model);
    QObject::connect(grid->selectionModel(), &QItemSelectionModel::currentRowChanged, grid,
                     [model](const QModelIndex& current) {
                         data::Dataset* ds = model->dataset();
                         if (ds && current.isValid() && ds->recNo() != current.row() + 1)
                             ds->setRecNo(current.row() + 1);
                     });
    selectCurrent(grid, model);
}

void bindGrid(QTableView* grid, data::DatasetModel* model, bool readOnly) {
    setUpGrid(grid, readOnly);
    followDataset(grid, model);
    showModel(grid, model);
}

QTableView* makeListGrid(QWidget* parent, const char* name, data::Dataset* dataset,
                         const views::Columns& columns) {
    auto* grid = new QTableView(parent);
    grid->setObjectName(QString::fromLatin1(name));
    auto* model = new data::DatasetModel(grid);
    model->setColumns(columns.gridColumns());
    model->setDataset(dataset);
    bindGrid(grid, model);
    grid->verticalHeader()->hide();
    grid->horizontalHeader()->setStretchLastSection(true);
    return grid;
}

}  // namespace ui
