#include "data/table_fields.h"

#include "data/dataset.h"

#include <algorithm>
#include <stdexcept>

namespace data {

namespace {

// The fields with a place (compared or recorded), in the order of their places.
std::vector<const TableField*> placed(const TableFields& fields, int TableField::*place) {
    std::vector<const TableField*> out;
    for (const TableField& f : fields)
        if (f.*place > 0)
            out.push_back(&f);
    std::ranges::stable_sort(out, {}, [place](const TableField* f) { return f->*place; });
    return out;
}

}  // namespace

std::vector<GridColumn> gridColumns(const TableFields& fields) {
    std::vector<GridColumn> columns;
    for (const TableField& f : fields)
        if (f.grid)
            columns.push_back({.field = f.field,
                               .caption = f.grid->caption.isEmpty() ? f.caption : f.grid->caption,
                               .width = f.grid->width,
                               .alignment = f.grid->alignment,
                               .format = f.format,
                               .hidden = f.grid->hidden});
    return columns;
}

QString fieldText(const TableFields& fields, const QString& field, const QVariant& value) {
    for (const TableField& f : fields)
        if (f.field == field)
            return f.format ? f.format(value) : value.toString();
    throw std::invalid_argument("no field is named " + field.toStdString());
}

ShownFields comparedFields(const TableFields& fields) {
    ShownFields shown;
    for (const TableField* f : placed(fields, &TableField::compared))
        shown.append({f->field, f->caption, f->key});
    return shown;
}

RowSnapshot comparedRow(const TableFields& fields, const Dataset& row, const ShownTexts& texts) {
    RowSnapshot snapshot;
    auto take = [&](const QString& name) {
        const auto given = texts.find(name);
        snapshot.insert(name, given != texts.end() ? (*given)(row) : row.text(name).trimmed());
    };
    for (const TableField* f : placed(fields, &TableField::compared)) {
        take(f->field);
        if (!f->key.isEmpty())
            take(f->key);
    }
    for (auto it = texts.begin(); it != texts.end(); ++it)
        if (!snapshot.contains(it.key()))
            throw std::invalid_argument("no compared field or key is named " +
                                        it.key().toStdString());
    return snapshot;
}

std::vector<RecordedField> recordedFields(const TableFields& fields) {
    std::vector<RecordedField> recorded;
    for (const TableField* f : placed(fields, &TableField::recorded))
        recorded.push_back({f->recordedAs.isEmpty() ? f->field : f->recordedAs,
                            f->recordedCaption.isEmpty() ? f->caption : f->recordedCaption});
    return recorded;
}

}  // namespace data
