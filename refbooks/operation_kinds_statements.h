#pragma once

#include <QString>

// Filter and duplicate-count texts of the operation kinds list and editor. The kind's name is
// spliced only with its apostrophes doubled.
namespace refbooks::kinds {

// Incremental search by name; no text, no filter.
QString nameFilter(const QString& typed);

// Characters the kind's name column takes (accounts_dep.vid_oper.vid).
constexpr int kNameLength = 128;

// Names compared upper-cased; the change form leaves the kind itself out.
QString duplicateKindOnAdd(const QString& name);
QString duplicateKindOnChange(const QString& name, qint64 ownId);

}  // namespace refbooks::kinds
