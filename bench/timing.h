#pragma once

// How the benchmarks time what they measure and print it.

#include <QElapsedTimer>
#include <cstdio>

struct Timer {
    QElapsedTimer t;
    Timer() { t.start(); }
    double ms() const { return double(t.nsecsElapsed()) / 1e6; }
};

inline void report(const char* what, double totalMs, int times) {
    std::printf("%-58s %10.3f ms  (%d times, %.3f ms each)\n", what, totalMs, times,
                totalMs / times);
}
