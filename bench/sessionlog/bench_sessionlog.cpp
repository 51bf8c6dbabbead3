// Times the session log at 100,000 lines, and with one 10 MB line, and prints a table against
// the targets. The floor is plain C++ reading and splitting the same file, for scale.
#include "app/frmMain.h"
#include "clock/StopWatch.h"
#include "files/ProgramFolder.h"
#include "files/RegularFile.h"
#include "log/SessionLog.h"
#include "log/SessionsModel.h"
#include "log/frmSessions.h"
#include "settings/Preferences.h"
#include "ui/DesignFonts.h"
#include "ui/MessageBox.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QSettings>
#include <QTableView>

#include <algorithm>
#include <array>
#include <cstdio>
#include <fstream>
#include <functional>
#include <string>
#include <sys/resource.h>
#include <vector>

namespace {
constexpr int Lines = 100'000;

double Seconds(const std::function<void()> &work)
{
    QElapsedTimer timer;
    timer.start();
    work();
    return double(timer.nsecsElapsed()) / 1e9;
}

// The median of `runs` timings, each after an untimed `prepare`.
double Median(int runs, const std::function<void()> &prepare, const std::function<void()> &work)
{
    std::vector<double> times;
    for (int i = 0; i < runs; ++i) {
        prepare();
        times.push_back(Seconds(work));
    }
    std::sort(times.begin(), times.end());
    return times[times.size() / 2];
}

QByteArray LongLog()
{
    QByteArray bytes;
    bytes.reserve(Lines * 80);
    for (int i = 0; i < Lines; ++i) {
        bytes += "06/12/2026 20:00:01;06/12/2026 20:42:17;0 years, " + QByteArray::number(i % 400) +
                 " days, 00:42:16." + QByteArray::number(10 + i % 90);
        if (i % 10 == 0)
            bytes += ";Comment " + QByteArray::number(i);
        bytes += "\r\n";
    }
    return bytes;
}

void WriteFile(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size())
        qFatal("cannot write %s", qPrintable(path));
}

// Plain C++: read every line and split it at ";" into at least four fields.
size_t Floor(const std::string &path)
{
    std::ifstream in(path, std::ios::binary);
    std::vector<std::array<std::string, 4>> rows;
    std::string line;
    while (std::getline(in, line)) {
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        std::array<std::string, 4> row;
        size_t field = 0, start = 0;
        for (size_t i = 0; i <= line.size(); ++i) {
            if (i == line.size() || line[i] == ';') {
                if (field < 3)
                    row[field++] = line.substr(start, i - start);
                else {
                    row[3] = line.substr(start);
                    break;
                }
                start = i + 1;
            }
        }
        rows.push_back(std::move(row));
    }
    return rows.size();
}

struct Line {
    const char *what;
    double value;
    const char *unit;
    double target;
};
} // namespace

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    if (argc < 2)
        qFatal("usage: bench_sessionlog WORK_DIR");
    const QString work = QString::fromLocal8Bit(argv[1]);
    RegisterFontSubstitutions();
    QSettings::setPath(QSettings::IniFormat, QSettings::UserScope, work + "/config");
    ProgramFolder::SetPath(work);
    MessageBox::setTestMode(true); // "Saved" and friends are answered, not shown
    const QString path = QDir(work).filePath(SessionLog::FileName);
    const QByteArray longLog = LongLog();
    std::vector<Line> table;

    const int runs = 5;
    double open = Median(
        runs, [&] { WriteFile(path, longLog); },
        [&] {
            frmSessions window;
            window.show();
            QApplication::processEvents();
            window.repaint(); // painted for certain, not merely scheduled
            const int rows = window.findChild<QTableView *>("grdSessions")->model()->rowCount();
            if (rows != Lines)
                qFatal("read %d rows", rows);
        });
    table.push_back({"open Sessions window (read, fill, show)", open, "s", 0.5});

    // From Close, answered Yes, to the window gone, after an edit made through the editor.
    std::unique_ptr<frmSessions> window;
    const double save = Median(
        runs,
        [&] {
            window.reset(); // one window at a time, as in use
            window = std::make_unique<frmSessions>();
            window->show();
            auto *grid = window->findChild<QTableView *>("grdSessions");
            grid->setCurrentIndex(grid->model()->index(0, 3));
            QKeyEvent f2(QEvent::KeyPress, Qt::Key_F2, Qt::NoModifier);
            QApplication::sendEvent(grid, &f2);
            window->findChild<QLineEdit *>("Text1")->setText("edited");
        },
        [&] {
            window->findChild<QPushButton *>("cmdClose")->click();
            if (window->isVisible())
                qFatal("save failed");
        });
    window.reset();
    table.push_back({"save (rewrite from the grid)", save, "s", 0.3});

    const double floor = Median(
        runs, [&] { WriteFile(path, longLog); },
        [&] {
            if (Floor(path.toStdString()) != size_t(Lines))
                qFatal("floor read a wrong count");
        });
    table.push_back({"floor: ifstream + getline + split", floor, "s", 0});

    // One line appended: to an empty log and to the long one, the file reset untimed before each.
    const QString snapshot = SessionLog::SnapshotLine("06/12/2026 20:00:01", "06/12/2026 21:00:00",
                                                      "0 years, 0 days, 01:00:00.00");
    const int appends = 200;
    auto appendOne = [&] {
        if (!SessionLog::Append(snapshot).ok)
            qFatal("append failed");
    };
    WriteFile(path, {});
    const double atZero = Median(
        appends, [&] { QFile(path).resize(0); }, appendOne);
    WriteFile(path, longLog);
    const double atLong = Median(
        appends, [&] { QFile(path).resize(longLog.size()); }, appendOne);
    table.push_back({"append one line at 0 lines", atZero * 1e3, "ms", 0});
    table.push_back({"append one line at 100,000 lines", atLong * 1e3, "ms", 0});
    table.push_back({"  ratio 100,000 / 0", atLong / atZero, "x", 1.5});

    // The whole Snapshot command, settings store write included.
    modStopWatch::StopWatch count;
    Preferences preferences;
    frmMain main(count, preferences);
    auto *snapshotButton = main.findChild<QPushButton *>(QStringLiteral("cmdSnapshot"));
    const double snapZero = Median(
        appends, [&] { QFile(path).resize(0); }, [&] { snapshotButton->click(); });
    WriteFile(path, longLog);
    const double snapLong = Median(
        appends, [&] { QFile(path).resize(longLog.size()); }, [&] { snapshotButton->click(); });
    // The same Snapshot without the sync that puts its line on stable storage, in the same run.
    RegularFile::SetSyncer([](int, RegularFile::SyncKind) { return 0; });
    const double snapUnsynced = Median(
        appends, [&] { QFile(path).resize(0); }, [&] { snapshotButton->click(); });
    RegularFile::SetSyncer({});
    table.push_back({"Snapshot command at 0 lines", snapZero * 1e3, "ms", 50});
    table.push_back({"Snapshot command at 100,000 lines", snapLong * 1e3, "ms", 50});
    table.push_back({"  ratio 100,000 / 0", snapLong / snapZero, "x", 1.5});
    table.push_back({"Snapshot command at 0 lines, unsynced", snapUnsynced * 1e3, "ms", 0});

    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    table.push_back(
        {"peak memory at 100,000 lines (ru_maxrss)", double(usage.ru_maxrss) / 1024.0, "MB", 150});
    // One 10 MB line: the window opens, scrolls to the end of the line and closes.
    const QByteArray hugeLine = "06/12/2026 20:00:01;06/12/2026 20:42:17;00:42:16.10;" +
                                QByteArray(10 * 1024 * 1024, 'x') + "\r\n";
    const double huge = Median(
        runs, [&] { WriteFile(path, hugeLine); },
        [&] {
            frmSessions window;
            window.show();
            QApplication::processEvents();
            auto *grid = window.findChild<QTableView *>("grdSessions");
            grid->scrollToBottom();
            grid->horizontalScrollBar()->setValue(grid->horizontalScrollBar()->maximum());
            window.repaint();
            window.findChild<QPushButton *>("cmdClose")->click();
            QApplication::processEvents();
            if (window.isVisible())
                qFatal("the window did not close");
        });
    table.push_back({"one 10 MB line: open, scroll to end, close", huge, "s", 1.0});

    getrusage(RUSAGE_SELF, &usage);
    table.push_back({"  peak memory after it", double(usage.ru_maxrss) / 1024.0, "MB", 0});

    std::printf("Session log, %d lines (%.1f MB), median of %d runs (appends: %d)\n", Lines,
                double(longLog.size()) / 1e6, runs, appends);
    std::printf("%-46s %12s %10s  %s\n", "measure", "value", "target", "");
    bool allMet = true;
    for (const Line &line : table) {
        char target[32] = "";
        const char *verdict = "";
        if (line.target > 0) {
            std::snprintf(target, sizeof target, "< %g %s", line.target, line.unit);
            const bool met = line.value < line.target;
            verdict = met ? "ok" : "MISSED";
            allMet = allMet && met;
        }
        std::printf("%-46s %9.3f %-2s %10s  %s\n", line.what, line.value, line.unit, target,
                    verdict);
    }
    return allMet ? 0 : 1;
}
