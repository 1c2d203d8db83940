#pragma once

#include "data/dataset_model.h"

#include <QTableView>

namespace ui {

// Binds a grid to its data link: whole-row selection, titles from the model, hidden columns
// hidden, and the grid's current row and the dataset's current row following each other.
void bindGrid(QTableView* grid, data::DatasetModel* model, bool readOnly = true);

// Applies the columns' visibility and widths after the columns changed.
void applyColumns(QTableView* grid, const data::DatasetModel* model);

}  // namespace ui
