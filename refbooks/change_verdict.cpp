#include "refbooks/change_verdict.h"

#include "refbooks/row_merge.h"
#include "ui/dialogs.h"

namespace refbooks {

bool takeVerdict(const data::RowVerdict& verdict, const data::ShownFields& fields,
                 const EditedRow& editor, data::RowSnapshot& loaded) {
    if (verdict.saved())
        return true;
    if (verdict.kind != data::RowVerdict::Kind::ChangedElsewhere) {
        ui::showRefusal(verdict.message());
        loaded = verdict.stored;
        return false;
    }
    const RowMerge merge = mergeRefused(fields, loaded, verdict.stored, editor.read());
    for (const QString& field : merge.fromStored)
        editor.showStored(field, verdict.stored);
    loaded = verdict.stored;
    ui::showRefusal(merge.message());
    return false;
}

}  // namespace refbooks
