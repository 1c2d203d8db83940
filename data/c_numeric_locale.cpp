#include "data/c_numeric_locale.h"

#include <locale.h>
#include <clocale>

namespace data {

void pinClassicNumericLocale() {
    std::setlocale(LC_NUMERIC, "C");
}

namespace {
// The process's locale with its numeric part "C" (the other categories, text encoding included,
// stay as they are).
locale_t classicNumericCopy() {
    const locale_t base = duplocale(LC_GLOBAL_LOCALE);
    if (!base)
        return nullptr;
    const locale_t classic = newlocale(LC_NUMERIC_MASK, "C", base);
    if (!classic)
        freelocale(base);  // newlocale keeps its base when it fails
    return classic;
}
}  // namespace

ClassicNumericScope::ClassicNumericScope()
    : classic_(classicNumericCopy()), previous_(classic_ ? uselocale(classic_) : nullptr) {}

ClassicNumericScope::~ClassicNumericScope() {
    if (!classic_)
        return;
    uselocale(previous_);
    freelocale(classic_);
}

}  // namespace data
