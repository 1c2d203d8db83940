#pragma once

#include "data/dataset_model.h"

#include <QTableView>

namespace ui {

// Binds a grid to its data link: whole-row selection, titles from the model, hidden columns
// hidden, and the grid's current row and the dataset's current row following each other.
void bindGrid(QTableView* grid, data::DatasetModel* model, bool readOnly = true);

// A read-only list grid named `name` over the dataset with these columns, bound as bindGrid does
// (the model is the grid's child): no row numbers, the last column taking the rest of the width.
QTableView* makeListGrid(QWidget* parent, const char* name, data::Dataset* dataset,
                         std::vector<data::GridColumn> columns);

// Applies the columns' visibility and widths after the columns changed.
void applyColumns(QTableView* grid, const data::DatasetModel* model);

}  // namespace ui
