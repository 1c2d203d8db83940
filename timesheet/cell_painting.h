#pragma once

#include <QtGlobal>
#include <optional>

// How a day cell of the timesheet grids is drawn, from its value and its column's look.
namespace timesheet {

struct CellPaint {
    quint32 fontColor;  // $00BBGGRR or system colour
    bool bold = false;
    std::optional<quint32> background;  // none: the grid's own
};

// columnColor and readOnly are what the month change gave the column. Highlighted cells (the
// current row) are drawn plainly, as are the name and total columns, which never get here.
CellPaint paintDayCell(int value, quint32 columnColor, bool readOnly, bool highlighted);

}  // namespace timesheet
