#pragma once

#include <QStringList>

// The small plant the history tests change: written by the checking connection, then the
// history emptied, as if all of it had been there before.
namespace history_plant {

struct Plant {
    int worker, product, kind, operation, norm;
};

// Worker "Иванов И.И.", product "ЯП-1", operation kind "Резка", its finished-goods operation on
// the product with a norm of price 1.5.
Plant makePlant();

// Runs psql with these arguments as the plant's database user on the test database, as any
// other program could write it.
void psql(const QStringList& args);

}  // namespace history_plant
