#pragma once

#include "data/dataset.h"

#include <QString>
#include <memory>

// An open dataset over a statement on the test database.
std::unique_ptr<data::Dataset> queryDataset(const QString& sql);

// A dataset over literal rows: "select * from (values ...) as t(columns) order by 1".
// The first column orders the rows.
std::unique_ptr<data::Dataset> rowsDataset(const QString& columns, const QString& values);
