#pragma once

#include "data/dataset_model.h"
#include "views/columns.h"

#include <QTableView>

namespace ui {

// Binds a grid to its data link: whole-row selection, titles from the model, hidden columns
// hidden, and the grid's current row and the dataset's current row following each other.
void bindGrid(QTableView* grid, data::DatasetModel* model, bool readOnly = true);

// The same in steps, for a grid that shows one of several data links in turn (the journal's four
// shifts): set the grid up once, let it follow each link's dataset, then show one link at a time.
void setUpGrid(QTableView* grid, bool readOnly = true);
// While the grid shows this link, it selects the row its dataset moves to.
void followDataset(QTableView* grid, data::DatasetModel* model);
// Shows the link: its columns applied, the grid's row moving the dataset, the dataset's row
// selected.
void showModel(QTableView* grid, data::DatasetModel* model);

// A read-only list grid named `name` over the dataset with these columns, bound as bindGrid does
// (the model is the grid's child): no row numbers, the last column taking the rest of the width.
QTableView* makeListGrid(QWidget* parent, const char* name, data::Dataset* dataset,
                         const views::Columns& columns);

}  // namespace ui
