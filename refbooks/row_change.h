#pragma once

#include "data/verdict.h"

#include <optional>

namespace refbooks {

// The stored row an editor changes, as it loaded it; none when it adds a row. A change is
// written only over the row as loaded (data::writeUnlessChanged).
struct LoadedRow {
    qint64 id = 0;
    data::RowSnapshot loaded;
};
using RowChange = std::optional<LoadedRow>;

}  // namespace refbooks
