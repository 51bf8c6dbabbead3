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

QString Untrusted(const QString &what)
{
    return QStringLiteral("The count kept from the last run can't be trusted: %1. Pendrel starts "
                          "the count at zero.\n\nSettings file: %2")
        .arg(what, StoreLocation());
}

// The stored whole numbers, each within its range; the first that is not, for a message.
struct Numbers {
    QString bad;
    qint64 operator()(const QString &key, qint64 low, qint64 high)
    {
        const QString text = GetSetting(SectionCount, key);
        bool ok = false;
        const qint64 value = text.toLongLong(&ok);
        if ((!ok || value < low || value > high) && bad.isEmpty())
            bad = QStringLiteral("its %1 is \"%2\"").arg(key, text);
        return value;
    }
};
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
    // What a restore sets going is what the store already says: writing it again would only
    // hold up the first window with a sync.
    if (!m_enabled || m_restoring)
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
        return Untrusted(QStringLiteral("its State is \"%1\"").arg(state));
    constexpr qint64 Longest = std::numeric_limits<qint64>::max();
    Numbers stored;
    const qint64 years = stored(KeyYears, 0, 9999);
    const qint64 days = stored(KeyDays, 0, modStopWatch::DaysPerYear - 1);
    const qint64 ms = stored(KeyMs, 0, modStopWatch::MsPerDay - 1);
    const qint64 boot = stored(KeyBootClock, 0, Longest);
    const qint64 wall = stored(KeyWallClock, 0, Longest);
    if (!stored.bad.isEmpty())
        return Untrusted(stored.bad);
    StopWatch::Kept kept{true, state == Running, qint16(years), qint16(days), ms};
    if (kept.running) {
        // The time since it was stored: on the boot clock within the same boot, else on the wall
        // clock, where a clock set back adds nothing.
        const bool sameBoot = GetSetting(SectionCount, KeyBoot) == m_clocks.bootId();
        const qint64 now = sameBoot ? m_clocks.boot() : m_clocks.wall();
        const qint64 then = sameBoot ? boot : wall;
        if (sameBoot && now < then)
            return Untrusted(QStringLiteral("it was stored later than now"));
        kept.ms += qMax<qint64>(0, now - then);
        const qint64 totalYears =
            years + (days + kept.ms / modStopWatch::MsPerDay) / modStopWatch::DaysPerYear;
        if (totalYears > 9999)
            return Untrusted(QStringLiteral("it would count more than 9,999 years"));
    }
    m_restoring = true;
    m_count.Restore(kept);
    m_restoring = false;
    return {};
}
