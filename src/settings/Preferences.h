#pragma once

#include "settings/SettingsStore.h"

#include <QObject>
#include <QString>

// The preferences of the Customize dialog, as the program uses them; defaults to begin.
struct PreferenceValues {
    QString strCustomText = SettingsStore::DefaultCustomText;
    bool blnPlaySounds = SettingsStore::DefaultPlaySounds;
    bool blnDisplayWarnings = SettingsStore::DefaultDisplayWarnings;
    // The days text as stored or typed, unchecked; intWarningDays() is what it means.
    QString strWarningDays = QString::number(SettingsStore::DefaultWarningDays);
    // The count outlives the program: restarts, logouts, crashes and reboots.
    bool blnKeepCounting = SettingsStore::DefaultKeepCounting;
    // An icon in the panel's tray, with the count in its tooltip.
    bool blnShowInTray = SettingsStore::DefaultShowInTray;

    // The days text as a day count; text that is no 16-bit number means the default.
    qint16 intWarningDays() const;
};

// The one home of the preferences: read from the settings store with their defaults and
// conversions, and saved there. Whoever depends on them listens to changed().
class Preferences : public QObject
{
    Q_OBJECT

public:
    using QObject::QObject;

    // What the store holds now; a key that is absent, or holds junk, gives its default.
    static PreferenceValues Read();

    const PreferenceValues &Values() const { return m_values; }

    // Takes up what the store holds now, and tells.
    void Load();
    // Stores the values in their order and takes them up; on failure says why, with the
    // store's path, and keeps the values it had.
    bool Save(const PreferenceValues &values, QString *failure);

signals:
    void changed();

private:
    PreferenceValues m_values;
};
