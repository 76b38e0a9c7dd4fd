// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// What the in-process benchmarks share: a clock for wall and processor time, the process's
// memory as the kernel counts it, and the one line format every measurement is written in
// (bench/report.cpp reads it).

#include <QFile>
#include <QString>

#include <chrono>
#include <cstdio>
#include <ctime>

#include <malloc.h>

namespace vm::bench {

// Resident memory now and at its peak, in KiB, from /proc/self/status.
struct Memory
{
    long rssKiB = 0;
    long peakKiB = 0;
};

inline Memory memory()
{
    Memory memory;
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly))
        return memory;
    for (const QByteArray &line : status.readAll().split('\n')) {
        if (line.startsWith("VmRSS:"))
            memory.rssKiB = line.mid(6).trimmed().split(' ').value(0).toLong();
        else if (line.startsWith("VmHWM:"))
            memory.peakKiB = line.mid(6).trimmed().split(' ').value(0).toLong();
    }
    return memory;
}

// Lowers the recorded peak to what is resident now, so the next peak belongs to the step
// being measured.
inline void resetPeak()
{
    QFile clear(QStringLiteral("/proc/self/clear_refs"));
    if (clear.open(QIODevice::WriteOnly))
        clear.write("5");
}

// Wall time and the processor time of the whole process (every thread) of one step, and how
// far the step raised resident memory above what it was just before.
class Step
{
public:
    Step()
    {
        // Memory an earlier step freed but the allocator kept would otherwise hide what this
        // step needs.
        malloc_trim(0);
        resetPeak();
        m_before = memory().rssKiB;
        m_cpu = cpuMs();
        m_wall = std::chrono::steady_clock::now();
    }

    double wallMs() const
    {
        return std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - m_wall)
            .count();
    }
    double processorMs() const { return cpuMs() - m_cpu; }
    long growthKiB() const { return memory().peakKiB - m_before; }

private:
    static double cpuMs()
    {
        timespec now = {};
        ::clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &now);
        return double(now.tv_sec) * 1e3 + double(now.tv_nsec) / 1e6;
    }

    long m_before = 0;
    double m_cpu = 0;
    std::chrono::steady_clock::time_point m_wall;
};

// One measurement: the benchmark, which side ("subject" or "floor"), what, and how much.
inline void record(const char *row, const char *side, const char *metric, double value)
{
    std::printf("%s\t%s\t%s\t%.3f\n", row, side, metric, value);
    std::fflush(stdout);
}

// The usual three of a timed step.
inline void record(const char *row, const char *side, const Step &step, double wallMs)
{
    record(row, side, "wall_ms", wallMs);
    record(row, side, "cpu_ms", step.processorMs());
    record(row, side, "growth_kib", double(step.growthKiB()));
}

} // namespace vm::bench
