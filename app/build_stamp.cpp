#include "app/build_stamp.h"

#include <cstring>

namespace {

int digit(char c) {
    return c >= '0' && c <= '9' ? c - '0' : 0;
}

int monthOf(const char* d) {
    switch (d[2]) {
        case '?':
            return 1;
        case 'n':
            return d[1] == 'a' ? 1 : 6;
        case 'b':
            return 2;
        case 'r':
            return d[0] == 'M' ? 3 : 4;
        case 'y':
            return 5;
        case 'l':
            return 7;
        case 'g':
            return 8;
        case 'p':
            return 9;
        case 't':
            return 10;
        case 'v':
            return 11;
        default:
            return 12;
    }
}

}  // namespace

BuildStamp buildStampFrom(const char* dateText, const char* timeText) {
    char d[12] = "??? ?? ????";
    char t[9] = "00:00:00";
    std::strncpy(d, dateText, sizeof d - 1);
    std::strncpy(t, timeText, sizeof t - 1);

    const int month = monthOf(d);
    const int day = d[4] == '?' ? 1 : digit(d[4]) * 10 + digit(d[5]);
    const int year = d[7] == '?'
                         ? 1900
                         : digit(d[7]) * 1000 + digit(d[8]) * 100 + digit(d[9]) * 10 + digit(d[10]);

    BuildStamp s;
    s.date = year * 10000 + month * 100 + day;
    s.time = digit(t[0]) * 36000 + digit(t[1]) * 3600 + digit(t[3]) * 600 + digit(t[4]) * 60 +
             digit(t[6]) * 10 + digit(t[7]);
    return s;
}

// Weak: the build's own file (linked into plant-client only) replaces it.
[[gnu::weak]] BuildStamp programBuildStamp() {
    return buildStampFrom(__DATE__, __TIME__);
}

bool isOlder(const BuildStamp& a, const BuildStamp& b) {
    return a.date < b.date || (a.date == b.date && a.time < b.time);
}
