#pragma once

#include "data/dataset_model.h"

#include <QString>
#include <functional>
#include <initializer_list>
#include <vector>

class QAbstractItemModel;
class QTableView;

namespace views {

inline constexpr Qt::Alignment kLeft = Qt::AlignLeft | Qt::AlignVCenter;
inline constexpr Qt::Alignment kRight = Qt::AlignRight | Qt::AlignVCenter;  // numbers
inline constexpr Qt::Alignment kCentre = Qt::AlignHCenter | Qt::AlignVCenter;

// One grid column (field, caption, width, alignment, format, hidden): the data link's own.
using Column = data::GridColumn;

// A grid's columns in their order. Code finds a column by the field it shows, never by its
// position, so that a column added or moved changes one declaration.
class Columns {
public:
    Columns() = default;
    Columns(std::initializer_list<Column> columns) : columns_(columns) {}
    // A table's grid columns, as its field list gives them (data::gridColumns).
    explicit Columns(std::vector<Column> columns) : columns_(std::move(columns)) {}

    void add(Column column) { columns_.push_back(std::move(column)); }

    // The position of the column showing field (compared as SQL compares names, ignoring
    // case); throws std::invalid_argument when no column shows it.
    int columnOf(const QString& field) const;
    const Column& at(int column) const { return columns_.at(static_cast<size_t>(column)); }
    int size() const { return static_cast<int>(columns_.size()); }

    // The columns as a data link takes them.
    const std::vector<Column>& gridColumns() const { return columns_; }

private:
    std::vector<Column> columns_;
};

// The position of the column showing field in a data link (data::DatasetModel) or in a grid over
// one; throws std::invalid_argument when it shows no such field.
int columnOf(const QAbstractItemModel* link, const QString& field);
int columnOf(const QTableView* grid, const QString& field);

}  // namespace views
