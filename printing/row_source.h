#pragma once

#include <QString>
#include <QVariant>

namespace printing {

// The rows a report is laid out over, in their order: all the engine reads of them. A dataset
// (data::Dataset) is one; so is any table a caller builds.
class RowSource {
public:
    virtual ~RowSource() = default;

    virtual int recordCount() const = 0;
    // The column of a field, found without regard to letter case; -1 when there is none.
    virtual int fieldIndex(const QString& field) const = 0;
    // A cell of row (0-based) and column.
    virtual QVariant valueAt(int row, int column) const = 0;
};

}  // namespace printing
