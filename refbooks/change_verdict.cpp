#include "refbooks/change_verdict.h"

#include "refbooks/row_merge.h"
#include "ui/dialogs.h"

namespace refbooks {

bool takeVerdict(const data::Verdict& verdict, const data::ShownFields& fields,
                 const EditedRow& editor, data::RowSnapshot& loaded) {
    using Kind = data::Verdict::Kind;
    if (verdict.saved())
        return true;
    if (verdict.kind != Kind::ChangedElsewhere) {
        ui::showRefusal(verdict.message);
        if (verdict.kind == Kind::Gone)
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
