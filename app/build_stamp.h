#pragma once

#include <QString>

// The running program's build: date as YYYYMMDD and time as seconds since midnight.
struct BuildStamp {
    qint32 date = 0;
    qint32 time = 0;

    friend bool operator==(const BuildStamp&, const BuildStamp&) = default;
};

// From the compiler's texts "Mmm dd yyyy" (day blank-padded) and "hh:mm:ss". Unknown parts
// ("???") give January, day 1 and year 1900.
BuildStamp buildStampFrom(const char* dateText, const char* timeText);

// This program's stamp: the time plant-client was built, written afresh by every build of it
// (cmake/build_time.cmake). Programs built without that file (the tests, the benchmarks) carry
// the time app/build_stamp.cpp was compiled.
BuildStamp programBuildStamp();

// True when a is older than b (date first, then time).
bool isOlder(const BuildStamp& a, const BuildStamp& b);
