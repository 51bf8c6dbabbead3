#pragma once

#include <QApplication>
#include <QElapsedTimer>
#include <QEvent>
#include <QFile>
#include <QSet>
#include <QTimer>

#include <cstdio>
#include <ctime>
#include <sys/resource.h>
#include <utility>

// CPU time (user + system) of this process so far, in ms.
inline double CpuMs()
{
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    const auto ms = [](const timeval &t) { return t.tv_sec * 1e3 + t.tv_usec / 1e3; };
    return ms(usage.ru_utime) + ms(usage.ru_stime);
}

// Resident memory of this process now, in MiB.
inline double ResidentMiB()
{
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly))
        return 0;
    for (const QByteArray &line : status.readAll().split('\n')) {
        if (line.startsWith("VmRSS:"))
            return line.mid(6).trimmed().split(' ').value(0).toDouble() / 1024.0;
    }
    return 0;
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

// Of the files mapped into this process: how many are font files, and how many image plugins.
inline std::pair<int, int> MappedFontsAndImagePlugins()
{
    QFile maps(QStringLiteral("/proc/self/maps"));
    if (!maps.open(QIODevice::ReadOnly))
        return {0, 0};
    QSet<QByteArray> fonts, plugins;
    for (const QByteArray &line : maps.readAll().split('\n')) {
        const QByteArray file = line.mid(line.indexOf('/'));
        const QByteArray lower = file.toLower();
        if (lower.endsWith(".ttf") || lower.endsWith(".otf") || lower.endsWith(".ttc"))
            fonts.insert(file);
        else if (file.contains("/imageformats/"))
            plugins.insert(file);
    }
    return {int(fonts.size()), int(plugins.size())};
}

// At the first expose of a window, once it has painted, prints the start-up time, the font
// files and the image plugins it has mapped, and quits.
class QuitOnFirstExpose : public QObject
{
public:
    bool eventFilter(QObject *, QEvent *event) override
    {
        if (event->type() == QEvent::Expose && !m_seen) {
            m_seen = true;
            QTimer::singleShot(0, qApp, [] {
                const double ms = MsSinceLaunch();
                const auto [fonts, plugins] = MappedFontsAndImagePlugins();
                std::printf("%.2f %d %d\n", ms, fonts, plugins);
                QCoreApplication::exit(0);
            });
        }
        return false;
    }

private:
    bool m_seen = false;
};

// Runs the event loop; after half a second for the first paint and the style to settle, takes
// `seconds` of CPU and prints it in ms with the resident memory in MiB. Works as well when a
// modal window's own loop is running by then.
inline int MeasureCpu(int seconds)
{
    double before = 0;
    QTimer::singleShot(500, qApp, [&] { before = CpuMs(); });
    QTimer::singleShot(500 + seconds * 1000, qApp, [&] {
        const double cpu = CpuMs() - before; // before the memory is read, which costs CPU too
        std::printf("%.1f %.1f\n", cpu, ResidentMiB());
        std::fflush(stdout);
        QCoreApplication::exit(0);
    });
    return QApplication::exec();
}

inline int Usage(const char *name, const char *modes)
{
    std::fprintf(stderr, "usage: %s %s SECONDS | startup\n", name, modes);
    return 2;
}
