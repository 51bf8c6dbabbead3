#include "settings/Preferences.h"

#include "files/RegularFile.h"
#include "settings/SettingsStore.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

using namespace SettingsStore;

namespace {
QString OneOrZero(bool on)
{
    return on ? QStringLiteral("1") : QStringLiteral("0");
}

// Why the settings file can't be written, as near as the file system tells.
QString WriteFailureReason(const QString &path)
{
    const QString refusal = RegularFile::Refusal(path);
    if (!refusal.isEmpty())
        return refusal;
    const QFileInfo file(path);
    if (file.exists()) {
        QFile probe(path);
        if (!probe.open(QIODevice::ReadWrite | QIODevice::ExistingOnly))
            return probe.errorString();
        return QStringLiteral("The file could not be written.");
    }
    // The nearest folder on the way that exists, or the file that stands in a folder's place.
    QFileInfo ancestor(file.absolutePath());
    while (!ancestor.exists() && !ancestor.isRoot() &&
           ancestor.absolutePath() != ancestor.filePath())
        ancestor = QFileInfo(ancestor.absolutePath());
    if (ancestor.exists() && !ancestor.isDir())
        return QStringLiteral("%1 is a file, not a folder.")
            .arg(QDir::toNativeSeparators(ancestor.filePath()));
    return QStringLiteral("The folder %1 cannot be written.")
        .arg(QDir::toNativeSeparators(ancestor.filePath()));
}
} // namespace

qint16 PreferenceValues::intWarningDays() const
{
    return ToInteger16(strWarningDays).value_or(DefaultWarningDays);
}

PreferenceValues Preferences::Read()
{
    const PreferenceValues defaults;
    PreferenceValues values;
    values.strCustomText = GetSetting(SectionSettings, KeyCustomText, defaults.strCustomText);
    values.blnPlaySounds = GetBoolean(SectionSettings, KeyPlaySounds, defaults.blnPlaySounds);
    values.blnDisplayWarnings =
        GetBoolean(SectionSettings, KeyDisplayWarnings, defaults.blnDisplayWarnings);
    values.strWarningDays = GetSetting(SectionSettings, KeyWarningDays, defaults.strWarningDays);
    values.blnKeepCounting = GetBoolean(SectionSettings, KeyKeepCounting, defaults.blnKeepCounting);
    values.blnShowInTray = GetBoolean(SectionSettings, KeyShowInTray, defaults.blnShowInTray);
    return values;
}

void Preferences::Load()
{
    m_values = Read();
    emit changed();
}

bool Preferences::Save(const PreferenceValues &values, QString *failure)
{
    // The texts go in as typed: a days text is only interpreted when it is used. All are stored
    // in one write, or none.
    const bool saved =
        SaveSettings(SectionSettings, {{KeyCustomText, values.strCustomText},
                                       {KeyPlaySounds, OneOrZero(values.blnPlaySounds)},
                                       {KeyDisplayWarnings, OneOrZero(values.blnDisplayWarnings)},
                                       {KeyWarningDays, values.strWarningDays},
                                       {KeyKeepCounting, OneOrZero(values.blnKeepCounting)},
                                       {KeyShowInTray, OneOrZero(values.blnShowInTray)}});
    if (!saved) {
        if (failure) {
            const QString path = StoreLocation();
            *failure =
                QStringLiteral("Your settings could not be saved.\n\n%1\n\nSettings file: %2")
                    .arg(LastFailure().isEmpty() ? WriteFailureReason(path) : LastFailure(),
                         QDir::toNativeSeparators(path));
        }
        return false;
    }
    m_values = values;
    emit changed();
    return true;
}
