// Filling and saving a workbook of 1,000 rows by 33 columns through the bridge, as the timesheet
// export does (names as text, hours as numbers).
#include "export/spreadsheet_bridge.h"

#include <QCoreApplication>
#include <QLocale>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

static void BM_Bridge1000x33(benchmark::State& state) {
    QTemporaryDir folder;
    qputenv("PLANT_EXPORT_DIR", folder.path().toUtf8());
    qputenv("PLANT_NO_LAUNCH", "1");
    for (auto _ : state) {
        SpreadsheetBridge bridge(QStringLiteral("Табель"));
        bridge.open();
        for (int row = 1; row <= 1000; ++row) {
            bridge.write(1, 1, row, QStringLiteral("Иванов Иван Иванович %1").arg(row),
                         {.fitColumn = true});
            bridge.write(1, 2, row, QString::number(row), {.asText = true});
            for (int column = 3; column <= 33; ++column)
                bridge.write(1, column, row, QStringLiteral("7,5"));
        }
        bridge.save();
    }
    state.SetItemsProcessed(state.iterations() * 33000);
}
BENCHMARK(BM_Bridge1000x33)->Unit(benchmark::kMillisecond);

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    QLocale::setDefault(QLocale(QLocale::Russian, QLocale::Russia));
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    return 0;
}
