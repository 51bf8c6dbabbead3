#pragma once

#include <QApplication>
#include <QElapsedTimer>
#include <QEvent>
#include <QTimer>

#include <cstdio>
#include <ctime>
#include <sys/resource.h>

// CPU time (user + system) of this process so far, in ms.
inline double CpuMs()
{
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    const auto ms = [](const timeval &t) { return t.tv_sec * 1e3 + t.tv_usec / 1e3; };
    return ms(usage.ru_utime) + ms(usage.ru_stime);
}

// Wall-clock ms since the moment in BENCH_T0_US (microseconds since the epoch), which the
// driver takes just before it starts this process.
inline double MsSinceLaunch()
{
    timespec now{};
    clock_gettime(CLOCK_REALTIME, &now);
    const double t0 = qEnvironmentVariable("BENCH_T0_US").toDouble();
    return (now.tv_sec * 1e6 + now.tv_nsec / 1e3 - t0) / 1e3;
}

// At the first expose of a window, once it has painted, prints the start-up time and quits.
class QuitOnFirstExpose : public QObject
{
public:
    bool eventFilter(QObject *, QEvent *event) override
    {
        if (event->type() == QEvent::Expose && !m_seen) {
            m_seen = true;
            QTimer::singleShot(0, qApp, [] {
                std::printf("%.2f\n", MsSinceLaunch());
                QCoreApplication::exit(0);
            });
        }
        return false;
    }

private:
    bool m_seen = false;
};

// Runs the event loop for `seconds` and prints the CPU ms it took.
inline int MeasureCpu(int seconds)
{
    const double before = CpuMs();
    QTimer::singleShot(seconds * 1000, qApp, [] { QCoreApplication::exit(0); });
    const int status = QApplication::exec();
    std::printf("%.1f\n", CpuMs() - before);
    return status;
}

inline int Usage(const char *name)
{
    std::fprintf(stderr, "usage: %s running|stopped SECONDS | startup\n", name);
    return 2;
}
