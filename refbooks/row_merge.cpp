#include "refbooks/row_merge.h"

#include <algorithm>

namespace refbooks {

namespace {

bool differs(const data::ShownField& f, const data::RowSnapshot& a, const data::RowSnapshot& b) {
    return a.value(f.field) != b.value(f.field) ||
           (!f.key.isEmpty() && a.value(f.key) != b.value(f.key));
}

}  // namespace

QString RowMerge::message() const {
    QString text = data::changedElsewhereMessage(changes);
    if (!fromStored.isEmpty())
        text += QLatin1Char('\n') + QString::fromUtf8(kStoredShownNote);
    if (std::any_of(changes.begin(), changes.end(),
                    [](const data::FieldChange& c) { return c.yours.has_value(); }))
        text += QLatin1Char('\n') + QString::fromUtf8(kYoursKeptNote);
    return text;
}

RowMerge mergeRefused(const data::ShownFields& fields, const data::RowSnapshot& loaded,
                      const data::RowSnapshot& stored, const data::RowSnapshot& edited) {
    RowMerge merge;
    for (const data::ShownField& f : fields) {
        if (!differs(f, loaded, stored))
            continue;
        data::FieldChange change{f.caption, loaded.value(f.field), stored.value(f.field)};
        if (!differs(f, loaded, edited))
            merge.fromStored.append(f.field);
        else if (differs(f, edited, stored))
            change.yours = edited.value(f.field);
        merge.changes.append(change);
    }
    return merge;
}

}  // namespace refbooks
