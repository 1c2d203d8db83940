#pragma once

#include "printing/report_layout.h"

#include <QString>
#include <vector>

namespace data {
struct GridColumn;
}

namespace history {

// The printed history: the heading, then the rows as the window's grid shows them (its visible
// columns' titles and display texts), A4 landscape. The columns share the page in proportion to
// their grid widths; the one the grid stretches takes the rest, at least a third. Every text
// wraps inside its column, so nothing is cut or shrunk.
printing::Layout printLayout(const QString& heading, const std::vector<data::GridColumn>& columns);

}  // namespace history
