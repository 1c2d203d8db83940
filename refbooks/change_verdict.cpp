#include "refbooks/change_verdict.h"

#include "ui/dialogs.h"

namespace refbooks {

bool takeVerdict(const data::RowVerdict& verdict, data::RowSnapshot& loaded) {
    if (verdict.saved())
        return true;
    ui::showRefusal(verdict.message());
    loaded = verdict.stored;
    return false;
}

}  // namespace refbooks
