#pragma once

#include "data/change.h"
#include "data/column_store.h"
#include "data/row_filter.h"
#include "printing/row_source.h"

#include <QHash>
#include <QObject>
#include <QSqlDatabase>
#include <QString>
#include <QStringList>
#include <QVariant>
#include <functional>
#include <optional>
#include <vector>

namespace printing {
class WorkProgress;
}

namespace data {

// A query with a static cursor: open() runs the statement with its bound parameters and fetches
// every row into memory. Rows are visited by a 1-based row number; a filter expression with an
// on/off switch narrows the fetched rows without asking the server. A dataset given an update
// table can also insert, change and delete rows by their key. Reports are laid out over its
// visible rows.
class Dataset : public QObject, public printing::RowSource {
    Q_OBJECT
public:
    enum class State { Inactive, Browse, Edit, Insert };

    explicit Dataset(const QString& name = {}, QObject* parent = nullptr);

    // Statement text. A multi-line text is its lines joined by a line break.
    void setSql(const QString& text);
    const QString& sql() const { return sql_; }

    // Named parameters, given without the leading colon ("data" for :data).
    void setParam(const QString& name, const QVariant& value);
    QVariant param(const QString& name) const { return params_.value(name); }

    // Runs on this connection instead of the data module's.
    void setConnectionName(const QString& name) { connectionName_ = name; }

    // A statement that may return very many rows (a report over a long period) is read from the
    // server in parts, so that the driver never holds all of them besides the dataset. The server
    // runs the statement whole first (with its fastest plan) and keeps its rows for the read.
    void setReadInParts(bool on) { readInParts_ = on; }

    // Makes the dataset writable: rows are inserted into, updated in and deleted from this table,
    // identified by keyField.
    void setUpdateTable(const QString& table, const QString& keyField = QStringLiteral("id"));

    // Throws DbError with the driver's message. With progress, tells it the rows read as they
    // come and stops between them (printing::WorkCancelled) when it was cancelled.
    void open(printing::WorkProgress* progress = nullptr);
    void close();
    void reopen();
    // Reopens and goes to the row number, clamped to the rows there are.
    void reopenAt(int recNo);
    bool isOpen() const { return state_ != State::Inactive; }
    State state() const { return state_; }

    // Rows after the filter.
    int recordCount() const override { return static_cast<int>(visible_.size()); }
    bool isEmpty() const { return visible_.empty(); }
    int recNo() const { return current_ + 1; }  // 0 when there is no row
    void setRecNo(int recNo);                   // clamped to the rows there are
    void first();
    void last();
    void next();
    void prior();
    bool eof() const { return eof_; }

    // Fields of the current row, by name without regard to letter case.
    const QStringList& fieldNames() const { return fields_; }
    int fieldIndex(const QString& field) const override;  // -1 when unknown
    QVariant value(const QString& field) const;           // throws DbError for an unknown field
    // The column of a field the caller needs; throws DbError naming it when there is none, so
    // that a workbook or layout refuses a misspelt field before it writes anything.
    int checkedField(const QString& field) const;
    QString text(const QString& field) const;  // NULL reads as ""; numbers in general format
    int asInt(const QString& field) const;     // NULL reads as 0; numerics rounded, not cut
    qint64 asInt64(const QString& field) const;
    double asDouble(const QString& field) const;

    // Cell of a visible row (0-based) for the grid adapter.
    QVariant valueAt(int row, int column) const override;

    // Finds the first visible row whose field equals value and makes it current.
    bool locate(const QString& field, const QVariant& value);

    void setFilter(const QString& expression);
    const QString& filter() const { return filter_; }
    void setFiltered(bool on);
    // Narrows the rows by the expression, or shows them all when it is empty.
    void filterBy(const QString& expression);
    bool isFiltered() const { return filtered_; }

    // Editing; requires an update table (dataset_editing.cpp).
    void insert();  // appends a blank row and makes it current
    void edit();
    void setValue(const QString& field, const QVariant& value);
    bool isModified() const;
    // Stores the pending row; throws DbError (RowGoneError when the changed row is no longer
    // there) and keeps the row in editing.
    void post();
    void cancel();
    void remove();  // deletes the current row from the table; RowGoneError when it is not there
    // What post() and remove() write, announced by them with the row's key (data::announce).
    void setChangeSubject(Subject subject) { subject_ = subject; }

    const QString& name() const { return name_; }

signals:
    void rowsChanged();  // opened, closed, filtered, or a row added or removed
    void currentChanged(int recNo);
    void rowDataChanged(int row);  // a visible row's values changed

private:
    QSqlDatabase db() const;
    QVariant cell(int storedRow, int column) const { return rows_.value(storedRow, column); }
    int storedRowCount() const { return rows_.rowCount(); }
    void applyFilter();
    void setCurrent(int index);
    void requireWritable() const;
    void removeStoredRow(int storedRow);

    QString name_;
    QString sql_;
    QHash<QString, QVariant> params_;
    QString connectionName_;
    bool readInParts_ = false;
    QString updateTable_;
    QString keyField_;
    std::optional<Subject> subject_;

    State state_ = State::Inactive;
    QStringList fields_;
    QHash<QString, int> fieldIndex_;  // lower-case name -> column
    ColumnStore rows_;                // stored rows
    std::vector<int> visible_;        // stored row of each visible row
    int current_ = -1;                // index into visible_
    bool eof_ = true;

    QString filter_;
    bool filtered_ = false;

    std::vector<QVariant> buffer_;  // the row being edited or inserted
    std::vector<bool> modified_;
    int pendingRow_ = -1;  // stored row appended by insert()
};

// Closes a dataset when the scope ends, however it ends, so that the next user fetches afresh
// instead of finding it still open on old rows.
class CloseAtScopeEnd {
public:
    explicit CloseAtScopeEnd(Dataset& dataset) : dataset_(dataset) {}
    ~CloseAtScopeEnd() { dataset_.close(); }
    CloseAtScopeEnd(const CloseAtScopeEnd&) = delete;
    CloseAtScopeEnd& operator=(const CloseAtScopeEnd&) = delete;

private:
    Dataset& dataset_;
};

// Called on the connection once a result read in parts is kept on the server and before it is
// read (the kept rows are the session's table pg_temp.plant_rows_in_parts, numbered in
// plant_row_number): lets a check change how the server stores them.
void setKeptResultObserver(std::function<void(const QSqlDatabase&)> observer);

// Runs write, a change of ds's current row. When another workstation removed the row meanwhile
// (RowGoneError), ds is read again and stands on the same row number, clamped, before the refusal
// propagates: the gone row leaves the screen instead of refusing every try.
void reloadIfRowGone(Dataset& ds, const std::function<void()>& write);

}  // namespace data
