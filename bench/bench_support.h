#pragma once

#include <QString>

#include <functional>
#include <vector>

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

// Two ways of doing one thing measured alternately (A, B, B, A, A, B ...) in one process, so
// that a load that comes and goes on the machine weighs on both alike. Each block first calls
// enter(b) untimed (switch to way A or B, warm it up), then times `calls` calls of call(b); a
// pair's ratio is B's median call over A's, and the figure is the median of the pairs' ratios.
struct Interleaved {
    std::vector<double> aMs, bMs;  // each block's median call, milliseconds
    std::vector<double> ratios;
    double ratio() const;
};
Interleaved interleave(int pairs, int calls, const std::function<void(bool b)>& enter,
                       const std::function<void(bool b)>& call);
// "label: 1.03 (limit 1.05)", then each pair's ratio and the medians of A's and B's calls.
void printRatio(const char* label, const Interleaved& r, double limit);

}  // namespace bench
