#include "timesheet/cell_painting.h"

#include "ui/colors.h"

namespace timesheet {

CellPaint paintDayCell(int value, quint32 columnColor, bool readOnly, bool highlighted) {
    CellPaint p{columnColor, false, std::nullopt};
    if (highlighted)
        return {ui::kSysHighlightText, false, std::nullopt};
    const bool red = columnColor == ui::kRed;
    if (value == 0) {
        if (!red)
            p.fontColor = ui::kSilver;
        if (readOnly)
            p.fontColor = ui::kSysWindow;
    } else if (value == 8) {
        p.bold = true;
        if (!red)
            p.fontColor = ui::kSysWindowText;
    } else if (value > 8) {
        p.bold = true;
        p.background = ui::kMoneyGreen;
    }
    return p;
}

}  // namespace timesheet
