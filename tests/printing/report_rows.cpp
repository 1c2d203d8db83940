#include "report_rows.h"

std::unique_ptr<data::Dataset> queryDataset(const QString& sql) {
    auto ds = std::make_unique<data::Dataset>(QStringLiteral("rows"));
    ds->setSql(sql);
    ds->open();
    return ds;
}

std::unique_ptr<data::Dataset> rowsDataset(const QString& columns, const QString& values) {
    return queryDataset(QStringLiteral("select * from (values ") + values +
                        QStringLiteral(") as t(") + columns + QStringLiteral(") order by 1"));
}
