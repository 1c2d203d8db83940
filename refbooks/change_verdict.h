#pragma once

#include "data/row_check.h"

namespace refbooks {

// How every editor that changes one row takes the verdict of its save: true when saved.
// Otherwise the refusal is shown and the row as stored becomes the one loaded, so that the
// editor, still open with what the user typed, writes over it deliberately at the next save.
bool takeVerdict(const data::RowVerdict& verdict, data::RowSnapshot& loaded);

}  // namespace refbooks
