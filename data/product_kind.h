#pragma once

#include <QString>

namespace data {

// What an operation makes, by its naimen: "Готовая продукция" for 0, "Заготовки" for any other
// value. The journal statements write the same choice in SQL.
inline QString productKindText(int productKind) {
    return productKind == 0 ? QStringLiteral("Готовая продукция") : QStringLiteral("Заготовки");
}

}  // namespace data
