#include "data/dataset_model.h"

#include <QFont>
#include <QLocale>

namespace data {

namespace {
// A number as the grids show it: general format with the workstation's decimal separator and no
// thousands separator; whole numbers as their digits (100000, never 1e+05).
QString numberText(double value) {
    QLocale locale;
    locale.setNumberOptions(QLocale::OmitGroupSeparator);
    return locale.toString(value, 'g', 15);
}
}  // namespace

DatasetModel::DatasetModel(QObject* parent) : QAbstractTableModel(parent) {}

void DatasetModel::setDataset(Dataset* dataset) {
    if (dataset_ == dataset)
        return;
    beginResetModel();
    disconnect(rowsConn_);
    disconnect(dataConn_);
    disconnect(currentConn_);
    dataset_ = dataset;
    if (dataset_) {
        currentConn_ =
            connect(dataset_, &Dataset::currentChanged, this, &DatasetModel::currentMoved);
        rowsConn_ = connect(dataset_, &Dataset::rowsChanged, this, &DatasetModel::onRowsChanged);
        dataConn_ =
            connect(dataset_, &Dataset::rowDataChanged, this, &DatasetModel::onRowDataChanged);
    }
    fieldOfColumn_.assign(columns_.size(), -1);
    endResetModel();
    emit currentMoved(dataset_ ? dataset_->recNo() : 0);
}

void DatasetModel::setColumns(std::vector<GridColumn> columns) {
    beginResetModel();
    columns_ = std::move(columns);
    fieldOfColumn_.assign(columns_.size(), -1);
    headerForeground_.assign(columns_.size(), QVariant());
    endResetModel();
}

void DatasetModel::refreshAll() {
    if (rowCount() > 0 && columnCount() > 0)
        emit dataChanged(index(0, 0), index(rowCount() - 1, columnCount() - 1));
    emit headerDataChanged(Qt::Horizontal, 0, columnCount() - 1);
}

void DatasetModel::onRowsChanged() {
    beginResetModel();
    fieldOfColumn_.assign(columns_.size(), -1);
    endResetModel();
}

void DatasetModel::onRowDataChanged(int row) {
    if (row >= 0 && row < rowCount())
        emit dataChanged(index(row, 0), index(row, columnCount() - 1));
}

int DatasetModel::rowCount(const QModelIndex& parent) const {
    if (parent.isValid() || !dataset_ || !dataset_->isOpen())
        return 0;
    return dataset_->recordCount();
}

int DatasetModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : static_cast<int>(columns_.size());
}

QVariant DatasetModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || !dataset_)
        return {};
    const int column = index.column();
    const GridColumn& col = columns_[column];
    if (role == Qt::TextAlignmentRole)
        return QVariant::fromValue(col.alignment);
    if (role == Qt::DisplayRole || role == Qt::EditRole) {
        int& field = const_cast<int&>(fieldOfColumn_[column]);
        if (field < 0)
            field = dataset_->fieldIndex(col.field);
        const QVariant v = dataset_->valueAt(index.row(), field);
        if (role == Qt::DisplayRole && col.format)
            return col.format(v);
        if (role == Qt::DisplayRole && v.typeId() == QMetaType::Double)
            return numberText(v.toDouble());
        return v.isNull() ? QVariant(QString()) : v;
    }
    if (styler_ &&
        (role == Qt::FontRole || role == Qt::ForegroundRole || role == Qt::BackgroundRole))
        return styler_(*dataset_, index.row(), column, role);
    return {};
}

QVariant DatasetModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation != Qt::Horizontal || section < 0 || section >= columnCount())
        return QAbstractTableModel::headerData(section, orientation, role);
    switch (role) {
        case Qt::DisplayRole:
            return columns_[section].caption;
        case Qt::TextAlignmentRole:
            return QVariant::fromValue(Qt::AlignHCenter | Qt::AlignVCenter);
        case Qt::FontRole: {
            QFont f;
            f.setBold(true);
            return f;
        }
        case Qt::ForegroundRole:
            return headerForeground_[section];
        default:
            return {};
    }
}

void DatasetModel::setHeaderForeground(int column, const QVariant& brush) {
    if (column < 0 || column >= columnCount())
        return;
    headerForeground_[column] = brush;
    emit headerDataChanged(Qt::Horizontal, column, column);
}

Qt::ItemFlags DatasetModel::flags(const QModelIndex& index) const {
    Qt::ItemFlags f = QAbstractTableModel::flags(index);
    if (editable_ && index.isValid())
        f |= Qt::ItemIsEditable;
    return f;
}

bool DatasetModel::setData(const QModelIndex& index, const QVariant& value, int role) {
    if (!editable_ || role != Qt::EditRole || !index.isValid() || !dataset_)
        return false;
    if (dataset_->recNo() != index.row() + 1)
        dataset_->setRecNo(index.row() + 1);
    dataset_->setValue(columns_[index.column()].field, value);
    return true;
}

}  // namespace data
