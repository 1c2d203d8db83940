#include "timesheet/timesheet_grid.h"

#include "data/dataset.h"
#include "data/dataset_model.h"
#include "timesheet/cell_painting.h"
#include "ui/colors.h"
#include "views/columns.h"
#include "views/grid.h"
#include "views/title_header.h"

#include <QHeaderView>
#include <QStyledItemDelegate>
#include <QTableView>

namespace timesheet {

namespace {

QString dayField(int day) {
    return QStringLiteral("d") + QString::number(day);
}

// The worker, a column per day of the month, the month's total.
const views::Columns& timesheetColumns() {
    static const views::Columns columns = [] {
        views::Columns c{{.field = QStringLiteral("fio"),
                          .caption = QStringLiteral("Фамилия И. О."),
                          .width = 250}};  // full names fit
        for (int d = 1; d <= 31; ++d)
            c.add({.field = dayField(d),
                   .caption = QString::number(d),
                   .width = 26,
                   .alignment = Qt::AlignCenter});
        c.add({.field = QStringLiteral("summ"),
               .caption = QStringLiteral("Итого"),
               .width = 50,
               .alignment = Qt::AlignCenter});
        return c;
    }();
    return columns;
}

int columnOfDay(int day) {
    return timesheetColumns().columnOf(dayField(day));
}

bool isTotalColumn(int column) {
    static const int total = timesheetColumns().columnOf(QStringLiteral("summ"));
    return column == total;
}

// The day of the month a grid column shows; 0 for the worker and the total.
int dayOfColumn(int column) {
    if (column < 0 || column >= timesheetColumns().size())
        return 0;
    const QString& field = timesheetColumns().at(column).field;
    bool isNumber = false;
    const int day = field.mid(1).toInt(&isNumber);
    return field.startsWith(QLatin1Char('d')) && isNumber ? day : 0;
}

constexpr quint32 kTotalBackground = 0x00FFE4E1;

QVariant boldFont() {
    QFont f;
    f.setBold(true);
    return f;
}

QVariant styleCell(const DayLooks& looks, const data::Dataset& ds, int row, int column, int role) {
    if (isTotalColumn(column)) {
        if (role == Qt::FontRole)
            return boldFont();
        if (role == Qt::BackgroundRole)
            return QBrush(ui::color(kTotalBackground));
        return {};
    }
    const int day = dayOfColumn(column);
    if (day == 0)
        return {};
    const DayColumnLook& look = looks[day - 1];
    const QVariant v = ds.valueAt(row, ds.fieldIndex(dayField(day)));
    const CellPaint p =
        paintDayCell(v.isNull() ? 0 : v.toInt(), look.cellColor, look.readOnly, false);
    switch (role) {
        case Qt::FontRole:
            return p.bold ? boldFont() : QVariant();
        case Qt::ForegroundRole:
            return QBrush(ui::color(p.fontColor));
        case Qt::BackgroundRole:
            return p.background ? QVariant(QBrush(ui::color(*p.background))) : QVariant();
        default:
            return {};
    }
}

// Only the focused day cell is drawn plainly: highlighted, without bold or money green. The
// other day cells of the current row keep their weekend, 8-hour and overtime painting.
class PlainHighlightDelegate : public QStyledItemDelegate {
public:
    using QStyledItemDelegate::QStyledItemDelegate;

protected:
    void initStyleOption(QStyleOptionViewItem* option, const QModelIndex& index) const override {
        QStyledItemDelegate::initStyleOption(option, index);
        if (!(option->state & QStyle::State_Selected) || dayOfColumn(index.column()) == 0)
            return;
        const auto* grid = qobject_cast<const QAbstractItemView*>(option->widget);
        if (grid && grid->currentIndex() != index) {
            option->state &= ~QStyle::State_Selected;
            return;
        }
        option->font.setBold(false);
        option->backgroundBrush = Qt::NoBrush;
    }
};

}  // namespace

data::DatasetModel* bindShiftGrid(QTableView* grid, data::Dataset* shiftQuery,
                                  const DayLooks& looks, QObject* owner) {
    auto* link = new data::DatasetModel(owner);
    link->setColumns(timesheetColumns().gridColumns());
    link->setDataset(shiftQuery);
    link->setStyler([&looks](const data::Dataset& ds, int row, int column, int role) {
        return styleCell(looks, ds, row, column, role);
    });
    grid->setHorizontalHeader(new ui::TitleHeader(grid));  // day titles in their colours
    ui::bindGrid(grid, link);
    grid->verticalHeader()->setVisible(false);
    grid->setItemDelegate(new PlainHighlightDelegate(grid));
    return link;
}

void showDayLooks(data::DatasetModel* link, const DayLooks& looks) {
    for (int d = 1; d <= 31; ++d)
        link->setHeaderForeground(columnOfDay(d), QBrush(ui::color(looks[d - 1].titleColor)));
    link->refreshAll();
}

}  // namespace timesheet
