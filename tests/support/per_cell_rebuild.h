#pragma once

#include <QString>

namespace data {
class SharedData;
}

// The month rebuild day by day and cell by cell, each statement spliced and on its own: the
// written-out algorithm the set-based rebuild must match row for row, and the benchmark's
// measure of it. Runs on the shared connection (DelSmena, Control, H_Tabel_ins).
namespace reference {

void rebuildMonthPerCell(data::SharedData& shared, int month, const QString& year);

}  // namespace reference
