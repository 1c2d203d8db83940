#include "data/dataset.h"

#include "data/cancellable_statement.h"
#include "data/connection.h"
#include "data/db_error.h"
#include "data/quoted_text.h"
#include "data/row_fetch.h"
#include "data/statement_runner.h"
#include "printing/work_progress.h"

#include <QSqlRecord>
#include <QtMath>
#include <optional>

namespace data {

namespace {
// Rows a call of readMoreRows() adds: a few dozen pages of a report, a short pause of the
// window that lays them out between its events. The driver fetches as many from the server at a
// time, so the first pages wait for no more rows than they need.
constexpr int kRowsPerRead = 4000;
constexpr int kRowsPerPart = kRowsPerRead;

std::function<void(const QSqlDatabase&)>& keptResultObserver() {
    static std::function<void(const QSqlDatabase&)> observer;
    return observer;
}

}  // namespace

// The whole result of a statement read in parts, kept on the server for the read: the statement
// fills it as it stands, with the plan the server picks for it (a statement read through a
// cursor is planned without parallel workers, several times slower over a long period), each row
// numbered in the statement's order as it is copied. The rows are then read by that number: the
// first part by one scan of the kept rows, the rest through a cursor along an index on the
// number, made only once the first part is read (a long period's index takes longer to make
// than the scan, and the first page needs no more than the first part). Filling and indexing
// run off this thread with progress, so "Отмена" stops the server's work. Dropped when the read
// ends, however it ends.
class KeptResult {
public:
    KeptResult(const QSqlDatabase& db, const QString& sql, const QHash<QString, QVariant>& params,
               printing::WorkProgress* progress, const QString& name)
        : db_(db) {
        drop();  // one a former read could not drop (its connection was lost)
        runCancellable(db_,
                       QStringLiteral("create temp table ") + kTable +
                           QStringLiteral(" as select row_number() over () as ") + kRowNumber +
                           QStringLiteral(", kept.* from (\n") + withLiterals(sql, params) +
                           QStringLiteral("\n) kept"),
                       progress, name);
        try {
            if (keptResultObserver())
                keptResultObserver()(db_);
            columns_ = keptColumns();
        } catch (...) {
            drop();  // no destructor runs for a table half made
            throw;
        }
    }
    ~KeptResult() {
        try {
            drop();
        } catch (...) {
            // the connection is gone, and the table with its session
        }
    }
    KeptResult(const KeptResult&) = delete;
    KeptResult& operator=(const KeptResult&) = delete;

    // The kept rows numbered up to `last`, in order, found by a scan.
    QString firstRowsSql(int last) const { return rowsSql(QStringLiteral(" <= "), last); }
    // The kept rows numbered after `first`, in order, along the index (indexRows() first).
    QString rowsAfterSql(int first) const { return rowsSql(QStringLiteral(" > "), first); }
    void indexRows(printing::WorkProgress* progress, const QString& name) {
        runCancellable(db_,
                       QStringLiteral("create index on pg_temp.") + kTable + QStringLiteral(" (") +
                           kRowNumber + QLatin1Char(')'),
                       progress, name);
    }

private:
    void drop() { runStatement(db_, QStringLiteral("drop table if exists pg_temp.") + kTable); }

    QString rowsSql(const QString& comparison, int number) const {
        return QStringLiteral("select ") + columns_ + QStringLiteral(" from pg_temp.") + kTable +
               QStringLiteral(" where ") + kRowNumber + comparison + QString::number(number) +
               QStringLiteral(" order by ") + kRowNumber;
    }

    // The statement's own columns, in its order, without the row number.
    QString keptColumns() const {
        QSqlQuery q = runStatement(
            db_, QStringLiteral("select string_agg(quote_ident(attname), ', ' order by attnum) "
                                "from pg_attribute where attrelid = 'pg_temp.") +
                     kTable + QStringLiteral("'::regclass and attnum > 1 and not attisdropped"));
        return q.next() ? q.value(0).toString() : QStringLiteral("*");
    }

    static constexpr QLatin1StringView kTable{"plant_rows_in_parts"};
    static constexpr QLatin1StringView kRowNumber{"plant_row_number"};
    QSqlDatabase db_;
    QString columns_;
};

Dataset::Dataset(const QString& name, QObject* parent) : QObject(parent), name_(name) {
    setObjectName(name);
}

void Dataset::setSql(const QString& text) {
    sql_ = text;
}

void Dataset::setParam(const QString& name, const QVariant& value) {
    params_.insert(name, value);
}

void Dataset::setUpdateTable(const QString& table, const QString& keyField) {
    updateTable_ = table;
    keyField_ = keyField;
}

QSqlDatabase Dataset::db() const {
    return connectionName_.isEmpty() ? defaultDb() : QSqlDatabase::database(connectionName_, false);
}

// A statement whose rows are read a part at a time: the kept result (when read in parts), the
// driver's cursor setting and the query stay until the last part or close(). Members end in
// reverse order: the fetch lets its buffers go, the cursor closes, then the kept rows are dropped.
struct Dataset::PendingRead {
    std::optional<KeptResult> kept;
    std::optional<ServerCursorScope> inParts;
    std::optional<QSqlQuery> query;
    std::optional<RowFetch> fetch;
    // Kept rows: their first part by a scan, then the rest along an index made for them.
    enum class Stage { All, FirstPart, AfterFirstPart } stage = Stage::All;
};

Dataset::~Dataset() = default;

void Dataset::open(printing::WorkProgress* progress) {
    openRows(progress, true);
}

void Dataset::openFirstPart(printing::WorkProgress* progress) {
    openRows(progress, !readInParts_);
}

void Dataset::openRows(printing::WorkProgress* progress, bool whole) {
    if (isOpen())
        return;
    auto read = std::make_unique<PendingRead>();
    if (readInParts_) {
        read->kept.emplace(db(), sql_, params_, progress, name_);
        printing::stopIfCancelled(progress);
        if (whole) {
            read->kept->indexRows(progress, name_);
            read->inParts.emplace(db(), kRowsPerPart);
            read->query.emplace(runStatement(db(), read->kept->rowsAfterSql(0), {}, true, name_));
        } else {
            read->query.emplace(
                runStatement(db(), read->kept->firstRowsSql(kRowsPerPart), {}, true, name_));
            read->stage = PendingRead::Stage::FirstPart;
        }
    } else {
        read->query.emplace(runStatement(db(), sql_, params_, true, name_));
    }

    fields_.clear();
    fieldIndex_.clear();
    rows_.clear();
    visible_.clear();
    readFailure_ = nullptr;
    const QSqlRecord rec = read->query->record();
    const int columns = rec.count();
    for (int c = 0; c < columns; ++c) {
        fields_ << rec.fieldName(c);
        fieldIndex_.insert(rec.fieldName(c).toLower(), c);
    }
    if (whole) {
        try {
            fetchRows(*read->query, rows_, progress);
        } catch (...) {
            rows_.clear();
            throw;
        }
        read.reset();  // the cursor closed before its kept rows are dropped
    } else {
        read->fetch.emplace(*read->query, rows_);
        if (read->fetch->atEnd())
            read.reset();
    }
    pending_ = std::move(read);
    state_ = State::Browse;
    pendingRow_ = -1;
    try {
        applyFilter();
        if (!whole)
            readMoreRows(progress);
    } catch (...) {
        close();
        throw;
    }
}

void Dataset::readMoreRows(printing::WorkProgress* progress) {
    if (readFailure_)
        std::rethrow_exception(readFailure_);
    if (!pending_)
        return;
    const int from = storedRowCount();
    try {
        using Stage = PendingRead::Stage;
        if (pending_->stage == Stage::AfterFirstPart) {
            // The rest along the kept rows' index, made now.
            pending_->fetch.reset();
            pending_->query.reset();
            pending_->kept->indexRows(progress, name_);
            pending_->inParts.emplace(db(), kRowsPerPart);
            pending_->query.emplace(
                runStatement(db(), pending_->kept->rowsAfterSql(from), {}, true, name_));
            pending_->fetch.emplace(*pending_->query, rows_, RowFetch::Rows::Appended);
            pending_->stage = Stage::All;
        }
        if (pending_->stage == Stage::FirstPart) {
            pending_->fetch->fetch(kRowsPerPart, progress);  // the part is every row it has
            if (storedRowCount() < kRowsPerPart)
                pending_.reset();  // and the result no more
            else
                pending_->stage = Stage::AfterFirstPart;
        } else if (pending_->fetch->fetch(kRowsPerRead, progress)) {
            pending_.reset();
        }
    } catch (const DbError&) {
        // Rows after a failed part cannot be told apart from no rows: the read ends here.
        readFailure_ = std::current_exception();
        pending_.reset();
        appendVisible(from);
        throw;
    } catch (...) {
        appendVisible(from);  // cancelled between blocks: the read can go on from there
        throw;
    }
    appendVisible(from);
}

void Dataset::appendVisible(int fromStoredRow) {
    const int rows = storedRowCount();
    if (rows == fromStoredRow)
        return;
    if (filtered_ && !filter_.trimmed().isEmpty()) {
        const RowFilter f = RowFilter::parse(filter_);
        const int column = checkedField(f.field());
        for (int r = fromStoredRow; r < rows; ++r)
            if (f.matches(cell(r, column)))
                visible_.push_back(r);
    } else {
        for (int r = fromStoredRow; r < rows; ++r)
            visible_.push_back(r);
    }
    const bool first = current_ < 0 && !visible_.empty();
    if (first) {
        current_ = 0;
        eof_ = false;
    }
    emit rowsChanged();
    if (first)
        emit currentChanged(recNo());
}

void Dataset::close() {
    if (state_ == State::Inactive)
        return;
    state_ = State::Inactive;
    pending_.reset();
    readFailure_ = nullptr;
    rows_.clear();
    visible_.clear();
    buffer_.clear();
    modified_.clear();
    pendingRow_ = -1;
    current_ = -1;
    eof_ = true;
    emit rowsChanged();
    emit currentChanged(0);
}

void Dataset::reopen() {
    close();
    open();
}

void Dataset::reopenAt(int recNo) {
    reopen();
    setRecNo(recNo);
}

void Dataset::applyFilter() {
    visible_.clear();
    const int rows = storedRowCount();
    if (filtered_ && !filter_.trimmed().isEmpty()) {
        const RowFilter f = RowFilter::parse(filter_);
        const int column = checkedField(f.field());
        visible_.reserve(rows);
        for (int r = 0; r < rows; ++r)
            if (f.matches(cell(r, column)))
                visible_.push_back(r);
    } else {
        visible_.resize(rows);
        for (int r = 0; r < rows; ++r)
            visible_[r] = r;
    }
    current_ = visible_.empty() ? -1 : 0;
    eof_ = visible_.empty();
    emit rowsChanged();
    emit currentChanged(recNo());
}

void Dataset::setFilter(const QString& expression) {
    if (filter_ == expression)
        return;
    filter_ = expression;
    if (isOpen() && filtered_)
        applyFilter();
}

void Dataset::setFiltered(bool on) {
    if (filtered_ == on)
        return;
    filtered_ = on;
    if (isOpen())
        applyFilter();
}

void Dataset::filterBy(const QString& expression) {
    if (expression.isEmpty()) {
        setFiltered(false);
        return;
    }
    setFilter(expression);
    setFiltered(true);
}

void Dataset::setCurrent(int index) {
    if (visible_.empty()) {
        current_ = -1;
        eof_ = true;
        return;
    }
    index = qBound(0, index, static_cast<int>(visible_.size()) - 1);
    if (state_ == State::Edit || state_ == State::Insert)
        post();
    if (index != current_) {
        current_ = index;
        emit currentChanged(recNo());
    }
}

void Dataset::setRecNo(int recNo) {
    setCurrent(recNo - 1);
    eof_ = visible_.empty();
}

void Dataset::first() {
    setCurrent(0);
    eof_ = visible_.empty();
}

void Dataset::last() {
    setCurrent(static_cast<int>(visible_.size()) - 1);
    eof_ = true;
}

void Dataset::next() {
    if (current_ + 1 >= static_cast<int>(visible_.size())) {
        eof_ = true;
        return;
    }
    setCurrent(current_ + 1);
    eof_ = false;
}

void Dataset::prior() {
    if (current_ <= 0)
        return;
    setCurrent(current_ - 1);
    eof_ = false;
}

int Dataset::fieldIndex(const QString& field) const {
    return fieldIndex_.value(field.toLower(), -1);
}

int Dataset::checkedField(const QString& field) const {
    const int c = fieldIndex(field);
    if (c < 0)
        throw DbError(name_ + QStringLiteral(": поле '") + field + QStringLiteral("' не найдено"));
    return c;
}

QVariant Dataset::value(const QString& field) const {
    const int c = checkedField(field);
    if (state_ == State::Edit || state_ == State::Insert)
        return buffer_[c];
    if (current_ < 0)
        return QVariant();
    return cell(visible_[current_], c);
}

QString Dataset::text(const QString& field) const {
    const QVariant v = value(field);
    if (v.typeId() == QMetaType::Double)  // general format: 100000 reads "100000", not "1e+05"
        return QString::number(v.toDouble(), 'g', 15);
    return v.isNull() ? QString() : v.toString();
}

qint64 Dataset::asInt64(const QString& field) const {
    const QVariant v = value(field);
    if (v.isNull())
        return 0;
    // Numerics arrive as double (numeric(15,0) identifiers among them): round, never cut.
    if (v.typeId() == QMetaType::Double || v.typeId() == QMetaType::Float)
        return qRound64(v.toDouble());
    bool ok = false;
    const qint64 i = v.toLongLong(&ok);
    if (ok)
        return i;
    const double d = v.toString().trimmed().toDouble(&ok);
    if (!ok)
        throw DbError(data::quotedUserText(v.toString()) +
                      QStringLiteral(" не является целым числом"));
    return qRound64(d);
}

int Dataset::asInt(const QString& field) const {
    return static_cast<int>(asInt64(field));
}

double Dataset::asDouble(const QString& field) const {
    const QVariant v = value(field);
    if (v.isNull())
        return 0;
    bool ok = false;
    const double d = v.toDouble(&ok);
    if (!ok)
        throw DbError(data::quotedUserText(v.toString()) + QStringLiteral(" не является числом"));
    return d;
}

QVariant Dataset::valueAt(int row, int column) const {
    if (row < 0 || row >= static_cast<int>(visible_.size()) || column < 0 ||
        column >= fields_.size())
        return QVariant();
    if (row == current_ && (state_ == State::Edit || state_ == State::Insert))
        return buffer_[column];
    return cell(visible_[row], column);
}

bool Dataset::locate(const QString& field, const QVariant& value) {
    const int c = checkedField(field);
    for (int i = 0; i < static_cast<int>(visible_.size()); ++i) {
        const QVariant v = cell(visible_[i], c);
        if (v == value || (!v.isNull() && v.toString() == value.toString())) {
            setCurrent(i);
            return true;
        }
    }
    return false;
}

void setKeptResultObserver(std::function<void(const QSqlDatabase&)> observer) {
    keptResultObserver() = std::move(observer);
}

}  // namespace data
