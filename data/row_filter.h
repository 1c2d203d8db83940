#pragma once

#include <QString>
#include <QVariant>

namespace data {

// A filter expression applied to rows already fetched, in the two forms the windows use:
//   field like 'prefix%'   prefix match, letter case ignored; everything between the first
//                          quote and the closing %' is the prefix, apostrophes included
//   field=number           numeric equality
// Anything else is refused with DbError when the filter is switched on.
class RowFilter {
public:
    enum class Kind { None, Prefix, Equals };

    static RowFilter parse(const QString& expression);  // throws DbError

    const QString& field() const { return field_; }

    bool matches(const QVariant& value) const;

private:
    Kind kind_ = Kind::None;
    QString field_;
    QString prefix_;
    double number_ = 0;
};

// The prefix form for a search box's text: field like 'typed%'. Empty text gives an empty
// expression (no filter). The text is kept as typed; the parser reads it back literally.
QString prefixFilter(const QString& field, const QString& typed);

}  // namespace data
