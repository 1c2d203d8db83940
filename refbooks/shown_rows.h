#pragma once

#include "data/row_check.h"

// The rows the reference books' editors change, as each editor shows them: what the editor
// loaded from its list, and how the stored row is read and locked when the change is written, so
// that a change made meanwhile on another workstation is never silently overwritten. Each
// snapshot reads a row with its list's columns.
namespace refbooks::shown {

// A worker (accounts_dep.person: fio, s_staffpos_hl).
data::RowSnapshot worker(const data::Dataset& row);
data::GuardedRow guardedWorker(qint64 id);

// A product (marka, massa).
data::RowSnapshot product(const data::Dataset& row);
data::GuardedRow guardedProduct(qint64 id);

// An operation kind (vid).
data::RowSnapshot kind(const data::Dataset& row);
data::GuardedRow guardedKind(qint64 id);

// An operation: its product (marka, i_id), kind (vid, oper_vid) and finished/blank (naimen).
data::RowSnapshot operation(const data::Dataset& row);
data::GuardedRow guardedOperation(qint64 id);

// A norm (norma, price, prize) of an operation.
data::RowSnapshot norm(const data::Dataset& row);
data::GuardedRow guardedNorm(qint64 id);

}  // namespace refbooks::shown
