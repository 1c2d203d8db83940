#pragma once

#include <QString>

// What every benchmark program needs to reach the generated plant.
namespace bench {

// An environment variable, or the fallback when it is unset or empty.
QString env(const char* name, const char* fallback);
// The benchmark cluster (PLANT_BENCH_HOST, default 127.0.0.44) and database (PLANT_BENCH_DB).
QString host();
QString database();
// The largest resident memory of this process so far (since the last resetPeakMemory), in
// megabytes.
double peakMemoryMb();
// The resident memory of this process now, in megabytes.
double residentMemoryMb();
// Starts the peak over from the memory resident now.
void resetPeakMemory();
// Runs statements through psql as the plant's user; the output is kept only when asked for.
// Ends the program when psql fails.
QString psql(const QString& sql, bool keepOutput);

}  // namespace bench
