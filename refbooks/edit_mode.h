#pragma once

namespace refbooks {

// What a reference-book editor is showing for: a new row, or a change of an existing one.
enum class EditMode { Add, Change };

}  // namespace refbooks
