#pragma once

#include "data/dataset.h"

#include <QAbstractTableModel>
#include <QPointer>
#include <functional>
#include <vector>

namespace data {

// One grid column, declared once by the window that shows it (views::Column): the field it
// shows, its caption, width, alignment and display format. A hidden column carries a key the
// window reads.
struct GridColumn {
    QString field{};
    QString caption{};
    int width = 0;  // pixels; 0 leaves it to the grid
    Qt::Alignment alignment = Qt::AlignLeft | Qt::AlignVCenter;
    // Display text of a value; empty means the value's plain text.
    std::function<QString(const QVariant&)> format{};
    bool hidden = false;
};

// The data link: shows a dataset in a grid. Columns are fixed by the window; the dataset can be
// switched (four journals share one grid). Fonts and colours per cell come from an optional
// styler, so windows keep their painting rules as plain functions.
class DatasetModel : public QAbstractTableModel {
    Q_OBJECT
public:
    // Returns a value for Qt::FontRole, ForegroundRole or BackgroundRole, or an invalid QVariant.
    using Styler = std::function<QVariant(const Dataset&, int row, int column, int role)>;

    explicit DatasetModel(QObject* parent = nullptr);

    void setDataset(Dataset* dataset);
    Dataset* dataset() const { return dataset_; }

    void setColumns(std::vector<GridColumn> columns);
    const std::vector<GridColumn>& columns() const { return columns_; }

    void setStyler(Styler styler) { styler_ = std::move(styler); }
    void setEditable(bool editable) { editable_ = editable; }

    // Repaints every cell (after a change of column colours, say).
    void refreshAll();

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation,
                        int role = Qt::DisplayRole) const override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;
    bool setData(const QModelIndex& index, const QVariant& value, int role = Qt::EditRole) override;

    // Header font and colour per column (titles are bold by default).
    void setHeaderForeground(int column, const QVariant& brush);

signals:
    // The dataset's current row moved (or another dataset was linked).
    void currentMoved(int recNo);

private:
    void onRowsChanged();
    void onRowDataChanged(int row);

    QPointer<Dataset> dataset_;
    std::vector<GridColumn> columns_;
    std::vector<int> fieldOfColumn_;
    std::vector<QVariant> headerForeground_;
    Styler styler_;
    bool editable_ = false;
    QMetaObject::Connection rowsConn_, dataConn_, currentConn_;
};

}  // namespace data
