#include "app/journal_grid.h"

#include "app/journal_rules.h"
#include "data/dataset.h"
#include "data/dataset_model.h"
#include "data/journal_fields.h"
#include "ui/colors.h"
#include "ui/format.h"
#include "views/columns.h"
#include "views/grid.h"

#include <QHeaderView>
#include <QItemSelectionModel>
#include <QKeyEvent>
#include <QStyledItemDelegate>
#include <algorithm>

namespace journal {

namespace {

// The journal grid's columns, from the journal's field list; the four shifts' links share them.
const views::Columns& journalColumns() {
    static const views::Columns columns(data::gridColumns(data::journalFields()));
    return columns;
}

bool isMarkColumn(int column) {
    static const int mark = journalColumns().columnOf(QStringLiteral("ok"));
    return column == mark;
}

// The acceptance mark bold, green when accepted and red otherwise.
QVariant styleMark(const data::Dataset& ds, int row, int column, int role) {
    if (!isMarkColumn(column))
        return {};
    if (role == Qt::FontRole) {
        QFont f;
        f.setBold(true);
        return f;
    }
    if (role == Qt::ForegroundRole)
        return ui::color(
            markColor(ds.valueAt(row, ds.fieldIndex(QStringLiteral("ok"))).toString()));
    return {};
}

// The acceptance mark keeps its green or red on the selected row: its cell is drawn as an
// unselected one, on the grid's background, while the rest of the row shows the selection.
class MarkDelegate : public QStyledItemDelegate {
public:
    using QStyledItemDelegate::QStyledItemDelegate;

protected:
    void initStyleOption(QStyleOptionViewItem* option, const QModelIndex& index) const override {
        QStyledItemDelegate::initStyleOption(option, index);
        if (isMarkColumn(index.column()))
            option->state &= ~QStyle::State_Selected;
    }
};

}  // namespace

JournalGrid::JournalGrid(QWidget* parent) : QTableView(parent) {
    setObjectName(QStringLiteral("DBGrid2"));
    setMinimumSize(1160, 420);  // every column, the row numbers and the scroll bar
    horizontalHeader()->setStretchLastSection(true);
    // Tab leaves the grid for the buttons; the keyboard reaches "Добавить" without the mouse.
    setTabKeyNavigation(false);

    auto link = [this](const char* name) {
        auto* m = new data::DatasetModel(this);
        m->setObjectName(QString::fromLatin1(name));
        m->setColumns(journalColumns().gridColumns());
        m->setStyler(styleMark);
        ui::followDataset(this, m);
        return m;
    };
    links_ = {link("DataSource1"), link("DataSource2"), link("DataSource3"), link("DataSource4")};
    ui::setUpGrid(this);
    setItemDelegate(new MarkDelegate(this));
    // Several rows are accepted at once (Shift and Ctrl extend the selection).
    setSelectionMode(QAbstractItemView::ExtendedSelection);
    verticalHeader()->setMinimumWidth(12);
    ui::showModel(this, links_[0]);
}

void JournalGrid::setJournals(const std::array<data::Dataset*, 4>& journals) {
    for (std::size_t i = 0; i < links_.size(); ++i)
        links_[i]->setDataset(journals[i]);
}

void JournalGrid::showShift(int shift) {
    ui::showModel(this, shift >= 2 && shift <= 4 ? links_[shift - 1] : links_[0]);
}

std::vector<int> JournalGrid::selectedRows(int current) const {
    std::vector<int> rows;
    if (const QItemSelectionModel* selection = selectionModel()) {
        for (const QModelIndex& index : selection->selectedRows())
            rows.push_back(index.row());
    }
    if (rows.empty() && current >= 0)
        rows.push_back(current);
    std::sort(rows.begin(), rows.end());
    return rows;
}

void JournalGrid::keyPressEvent(QKeyEvent* event) {
    // Space accepts or clears the selected rows, as the storekeeper's double-click does one.
    if (event->key() == Qt::Key_Space && event->modifiers() == Qt::NoModifier) {
        emit spacePressed();
        event->accept();
        return;
    }
    QTableView::keyPressEvent(event);
}

}  // namespace journal
