#include "settings/SessionTimes.h"

#include "settings/SettingsStore.h"

#include <QDateTime>

using namespace SettingsStore;

bool SessionTimes::OnStart(const QDateTime &now)
{
    m_blnStartedThisRun = true;
    m_strStart = DateTimeText(now);
    m_strStop = QStringLiteral("0");
    return SaveSettings(SectionSession, {{KeyStart, m_strStart}, {KeyStop, m_strStop}});
}

bool SessionTimes::OnSnapshot(const QDateTime &now)
{
    m_strStop = DateTimeText(now);
    return SaveSetting(SectionSession, KeyStop, m_strStop);
}

QString SessionTimes::Start() const
{
    // No default: a key never written gives an empty field.
    return m_blnStartedThisRun ? m_strStart : GetSetting(SectionSession, KeyStart);
}
