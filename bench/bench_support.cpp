#include "bench_support.h"

#include <sys/resource.h>
#include <QFile>
#include <QProcess>
#include <QStringList>
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

}  // namespace bench
