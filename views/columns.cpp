#include "views/columns.h"

#include <QTableView>
#include <stdexcept>

namespace views {

namespace {
[[noreturn]] void noColumn(const QString& field) {
    throw std::invalid_argument("no column shows the field " + field.toStdString());
}

// Field names compare as SQL compares them: "MARKA" is "marka".
template <class ColumnList>
int positionOf(const ColumnList& columns, const QString& field) {
    for (size_t i = 0; i < columns.size(); ++i)
        if (columns[i].field.compare(field, Qt::CaseInsensitive) == 0)
            return static_cast<int>(i);
    noColumn(field);
}
}  // namespace

int Columns::columnOf(const QString& field) const {
    return positionOf(columns_, field);
}

int columnOf(const QAbstractItemModel* link, const QString& field) {
    const auto* dataLink = qobject_cast<const data::DatasetModel*>(link);
    if (!dataLink)
        noColumn(field);
    return positionOf(dataLink->columns(), field);
}

int columnOf(const QTableView* grid, const QString& field) {
    return columnOf(grid->model(), field);
}

}  // namespace views
