#include "settings/CountKeeper.h"

#include "clock/CountTexts.h"
#include "settings/SettingsStore.h"

#include <QDateTime>
#include <QFile>

#include <limits>

using namespace SettingsStore;
using modStopWatch::StopWatch;

namespace {
const QString SectionCount = QStringLiteral("Count");
const QString KeyState = QStringLiteral("State");
const QString KeyYears = QStringLiteral("Years");
const QString KeyDays = QStringLiteral("Days");
const QString KeyMs = QStringLiteral("Milliseconds");
const QString KeyBoot = QStringLiteral("Boot");
const QString KeyBootClock = QStringLiteral("Boot Clock");
const QString KeyWallClock = QStringLiteral("Wall Clock");
const QString Running = QStringLiteral("Running");
const QString Stopped = QStringLiteral("Stopped");

// The stored whole number under `key` within [low, high], or nothing.
std::optional<qint64> Stored(const QString &key, qint64 low, qint64 high)
{
    bool ok = false;
    const qint64 value = GetSetting(SectionCount, key).toLongLong(&ok);
    if (!ok || value < low || value > high)
        return std::nullopt;
    return value;
}

QString Untrusted(const QString &what)
{
    return QStringLiteral("The count kept from the last run can't be trusted: %1. Pendrel starts "
                          "at zero; the kept count stays in the settings file until the count "
                          "next changes.\n\nSettings file: %2")
        .arg(what, StoreLocation());
}
} // namespace

CountKeeper::Clocks CountKeeper::SystemClocks()
{
    return {modStopWatch::GetTickCount, [] { return QDateTime::currentMSecsSinceEpoch(); },
            [] {
                QFile id(QStringLiteral("/proc/sys/kernel/random/boot_id"));
                return id.open(QIODevice::ReadOnly) ? QString::fromLatin1(id.readAll().trimmed())
                                                    : QString();
            }};
}

CountKeeper::CountKeeper(StopWatch &count, Clocks clocks, QObject *parent)
    : QObject(parent)
    , m_count(count)
    , m_clocks(std::move(clocks))
{
    connect(&count, &StopWatch::runningChanged, this, &CountKeeper::Store);
    connect(&count, &StopWatch::wasReset, this, &CountKeeper::Store);
    connect(&count, &StopWatch::dayRolledOver, this, &CountKeeper::Store);
}

CountKeeper::~CountKeeper()
{
    Store();
}

bool CountKeeper::SetEnabled(bool on)
{
    if (on == m_enabled)
        return true;
    m_enabled = on;
    if (on)
        return Store();
    return SaveSettings(SectionCount, {{KeyState, {}},
                                       {KeyYears, {}},
                                       {KeyDays, {}},
                                       {KeyMs, {}},
                                       {KeyBoot, {}},
                                       {KeyBootClock, {}},
                                       {KeyWallClock, {}}});
}

bool CountKeeper::Store()
{
    if (!m_enabled)
        return true;
    const StopWatch::Kept kept = m_count.Keep();
    const QString state = !kept.started ? QString() : kept.running ? Running : Stopped;
    return SaveSettings(SectionCount, {{KeyState, state},
                                       {KeyYears, QString::number(kept.years)},
                                       {KeyDays, QString::number(kept.days)},
                                       {KeyMs, QString::number(kept.ms)},
                                       {KeyBoot, m_clocks.bootId()},
                                       {KeyBootClock, QString::number(m_clocks.boot())},
                                       {KeyWallClock, QString::number(m_clocks.wall())}});
}

QString CountKeeper::Restore()
{
    m_enabled = true;
    const QString state = GetSetting(SectionCount, KeyState);
    if (state.isEmpty())
        return {};
    if (state != Running && state != Stopped)
        return Untrusted(QStringLiteral("its state is \"%1\"").arg(state));
    const auto years = Stored(KeyYears, 0, 9999);
    const auto days = Stored(KeyDays, 0, modStopWatch::DaysPerYear - 1);
    const auto ms = Stored(KeyMs, 0, modStopWatch::MsPerDay - 1);
    const auto boot = Stored(KeyBootClock, 0, std::numeric_limits<qint64>::max());
    const auto wall = Stored(KeyWallClock, 0, std::numeric_limits<qint64>::max());
    if (!years || !days || !ms || !boot || !wall)
        return Untrusted(QStringLiteral("a number in it is missing or out of range"));
    StopWatch::Kept kept{true, state == Running, qint16(*years), qint16(*days), *ms};
    if (kept.running) {
        // The time since it was stored: on the boot clock within the same boot, else on the wall
        // clock, where a clock set back adds nothing.
        const bool sameBoot = GetSetting(SectionCount, KeyBoot) == m_clocks.bootId();
        const qint64 now = sameBoot ? m_clocks.boot() : m_clocks.wall();
        const qint64 then = sameBoot ? *boot : *wall;
        if (sameBoot && now < then)
            return Untrusted(QStringLiteral("it was stored later than now"));
        kept.ms += qMax<qint64>(0, now - then);
        const qint64 totalYears =
            *years + (*days + kept.ms / modStopWatch::MsPerDay) / modStopWatch::DaysPerYear;
        if (totalYears > 9999)
            return Untrusted(QStringLiteral("it would count more than 9,999 years"));
    }
    m_count.Restore(kept);
    return {};
}
