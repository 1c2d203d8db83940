#pragma once

#include "data/row_check.h"

#include <functional>

namespace refbooks {

// An editor's boxes as a row: read as a snapshot with the fields of its data::GuardedRow, and one
// field shown as stored (its box, and the id behind it, set from the stored row).
struct EditedRow {
    std::function<data::RowSnapshot()> read;
    std::function<void(const QString& field, const data::RowSnapshot& stored)> showStored;
};

// How every editor that changes one row takes the verdict of its save: true when saved.
// Otherwise the refusal is shown (a duplicate's too). Changed elsewhere, the boxes the user left
// alone show the stored values while the user's own stay (refbooks::mergeRefused), the refusal says
// which, and the stored row becomes the one loaded: the next save writes what the editor shows.
bool takeVerdict(const data::Verdict& verdict, const data::ShownFields& fields,
                 const EditedRow& editor, data::RowSnapshot& loaded);

}  // namespace refbooks
