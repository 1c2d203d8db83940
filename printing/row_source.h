#pragma once

#include <QString>
#include <QVariant>
#include <stdexcept>

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

// A field a layout prints or reads that its rows do not have: the layout's mistake, refused when
// the layout is resolved against its rows rather than printed as a blank column and zero sums.
class UnknownFieldError : public std::invalid_argument {
public:
    UnknownFieldError(const QString& report, const QString& field);
    const QString& field() const { return field_; }

private:
    QString field_;
};

// The column of a field the report (its title, for the refusal) needs; throws
// UnknownFieldError when the rows have no such field.
int requiredField(const RowSource& rows, const QString& field, const QString& report = {});

}  // namespace printing
