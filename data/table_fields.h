#pragma once

#include "data/dataset_model.h"
#include "data/row_check.h"

#include <QMap>
#include <QString>
#include <functional>
#include <optional>
#include <vector>

// A table's fields, each stated once with everything the client does with it: the grid shows
// it, the editor's overwrite check compares it before a save, the change history names it. A
// field added to a table's list reaches all of them; a new editable field is compared by being
// listed as compared, so no second list can forget it.
namespace data {

inline constexpr Qt::Alignment kAlignRight = Qt::AlignRight | Qt::AlignVCenter;  // numbers
inline constexpr Qt::Alignment kAlignCentre = Qt::AlignHCenter | Qt::AlignVCenter;

// How a grid shows a field. `caption` only where the grid's heading differs from the field's.
struct GridLook {
    int width = 0;  // pixels; 0 leaves it to the grid
    Qt::Alignment alignment = Qt::AlignLeft | Qt::AlignVCenter;
    bool hidden = false;  // a key the window reads
    QString caption = {};
};

struct TableField {
    QString field;    // as the statements name it
    QString caption;  // as the editor, its overwrite check and the history name it
    // The display text of a value in the grid and the workbooks; empty: the value's plain text.
    std::function<QString(const QVariant&)> format = {};
    std::optional<GridLook> grid = {};  // none: the grid does not show it
    // Compared before a save, at this place of the refusal's lines (1 first); 0: not compared.
    int compared = 0;
    // A name stored as an id (a worker's name for w_id): a different key is a change even when
    // the names read alike.
    QString key = {};
    // Named by the change history at this place of its texts (1 first); 0: not named there.
    int recorded = 0;
    // The table's column the history records it under, and its caption there, where they are
    // not the field's own.
    QString recordedAs = {};
    QString recordedCaption = {};
};

using TableFields = std::vector<TableField>;

// The grid's columns: the fields it shows, in the list's order.
std::vector<GridColumn> gridColumns(const TableFields& fields);

// A value as the field's format shows it (its plain text when it has none); a field not in the
// list is the caller's mistake: std::invalid_argument.
QString fieldText(const TableFields& fields, const QString& field, const QVariant& value);

// The fields compared before a save, in their places, under their captions.
ShownFields comparedFields(const TableFields& fields);

// How an editor shows a field otherwise than as its trimmed text, by field (or key) name.
using ShownTexts = QMap<QString, std::function<QString(const Dataset&)>>;

// A row as its editor shows it: every compared field and key, as its trimmed text or as `texts`
// gives it. A name in `texts` that is neither a compared field nor a key is the caller's
// mistake: std::invalid_argument.
RowSnapshot comparedRow(const TableFields& fields, const Dataset& row,
                        const ShownTexts& texts = {});

// A column of the table as the history names it.
struct RecordedField {
    QString column;
    QString caption;
};
// The columns the history names, in their places.
std::vector<RecordedField> recordedFields(const TableFields& fields);

}  // namespace data
