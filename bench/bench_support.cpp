#include "bench_support.h"

#include <sys/resource.h>
#include <QFile>
#include <QProcess>
#include <QStringList>
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>

namespace bench {

QString env(const char* name, const char* fallback) {
    const QByteArray v = qgetenv(name);
    return v.isEmpty() ? QString::fromLatin1(fallback) : QString::fromUtf8(v);
}

QString host() {
    return env("PLANT_BENCH_HOST", "127.0.0.44");
}

QString database() {
    return env("PLANT_BENCH_DB", "plantdb");
}

namespace {
// A "VmXXX:" line of /proc/self/status in megabytes, or -1.
double statusMb(const char* key) {
    QFile status(QStringLiteral("/proc/self/status"));
    if (status.open(QIODevice::ReadOnly)) {
        for (const QByteArray& line : status.readAll().split('\n'))
            if (line.startsWith(key))
                return line.mid(qstrlen(key)).trimmed().split(' ').value(0).toDouble() / 1024.0;
    }
    return -1;
}
}  // namespace

double residentMemoryMb() {
    return statusMb("VmRSS:");
}

double peakMemoryMb() {
    // VmHWM, which resetPeakMemory can start over; the kernel's maximum otherwise.
    const double hwm = statusMb("VmHWM:");
    if (hwm >= 0)
        return hwm;
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return usage.ru_maxrss / 1024.0;
}

void resetPeakMemory() {
    QFile clear(QStringLiteral("/proc/self/clear_refs"));
    if (clear.open(QIODevice::WriteOnly))
        clear.write("5");
}

QString psql(const QString& sql, bool keepOutput) {
    QProcess p;
    QProcessEnvironment e = QProcessEnvironment::systemEnvironment();
    e.insert(QStringLiteral("PGPASSWORD"), QStringLiteral("tavirok"));
    e.insert(QStringLiteral("PGOPTIONS"), QStringLiteral("-c datestyle=ISO,DMY"));
    p.setProcessEnvironment(e);
    QStringList args{"-X", "-q",  "-A", "-t",       "-h", host(),
                     "-U", "sys", "-d", database(), "-v", "ON_ERROR_STOP=1"};
    if (!keepOutput)
        args << "-o"
             << "/dev/null";
    p.start(QStringLiteral("psql"), args);
    p.write(sql.toUtf8());
    p.closeWriteChannel();
    p.waitForFinished(-1);
    if (p.exitCode() != 0) {
        std::fprintf(stderr, "psql failed: %s\n", p.readAllStandardError().constData());
        std::exit(1);
    }
    return QString::fromUtf8(p.readAllStandardOutput()).trimmed();
}

namespace {
double median(std::vector<double> v) {
    if (v.empty())
        return 0;
    std::sort(v.begin(), v.end());
    const std::size_t n = v.size();
    return n % 2 ? v[n / 2] : (v[n / 2 - 1] + v[n / 2]) / 2;
}
}  // namespace

double Interleaved::ratio() const {
    return median(ratios);
}

Interleaved interleave(int pairs, int calls, const std::function<void(bool b)>& enter,
                       const std::function<void(bool b)>& call) {
    Interleaved r;
    for (int p = 0; p < pairs; ++p) {
        double block[2] = {0, 0};
        // A, B in the even pairs, B, A in the odd ones: neither is always the first after the
        // other's block.
        for (const bool b : {p % 2 != 0, p % 2 == 0}) {
            enter(b);
            std::vector<double> ms;
            for (int i = 0; i < calls; ++i) {
                const auto start = std::chrono::steady_clock::now();
                call(b);
                ms.push_back(std::chrono::duration<double, std::milli>(
                                 std::chrono::steady_clock::now() - start)
                                 .count());
            }
            block[b] = median(ms);
        }
        r.aMs.push_back(block[0]);
        r.bMs.push_back(block[1]);
        r.ratios.push_back(block[1] / block[0]);
    }
    return r;
}

void printRatio(const char* label, const Interleaved& r, double limit) {
    std::printf("%s: %.2f (limit %.2f)%s\n", label, r.ratio(), limit,
                r.ratio() <= limit ? "" : "  OVER THE LIMIT");
    std::printf("  pairs:");
    for (const double x : r.ratios)
        std::printf(" %.2f", x);
    std::printf("\n  median call: %.2f ms against %.2f ms\n", median(r.bMs), median(r.aMs));
    std::fflush(stdout);
}

}  // namespace bench
