#pragma once

#include <QList>
#include <QString>
#include <QtGlobal>

#include <optional>
#include <utility>

class QDateTime;
class QLocale;

// The per-user settings store: text values under section and key, for the application
// "Pendrel". Everything stored is text; these are the one set of conversions from it. Only a
// regular file is read or written as the store (a link is followed to one): a pipe or a device
// in its place reads as an empty store and is never written.
namespace SettingsStore {

inline const QString SectionSettings = QStringLiteral("Settings");
inline const QString SectionSession = QStringLiteral("Session");

inline const QString KeyCustomText = QStringLiteral("Custom Text");
inline const QString KeyPlaySounds = QStringLiteral("Play Sounds");
inline const QString KeyDisplayWarnings = QStringLiteral("Display Warnings");
inline const QString KeyWarningDays = QStringLiteral("Warning Days");
inline const QString KeyKeepCounting = QStringLiteral("Keep Counting");
inline const QString KeyShowInTray = QStringLiteral("Show In Tray");
inline const QString KeyStart = QStringLiteral("Start");
inline const QString KeyStop = QStringLiteral("Stop");

inline const QString DefaultCustomText = QStringLiteral("You have not had sex in:");
constexpr bool DefaultPlaySounds = true;
constexpr bool DefaultDisplayWarnings = true;
constexpr qint16 DefaultWarningDays = 3;
constexpr bool DefaultKeepCounting = false;
constexpr bool DefaultShowInTray = false;

// The stored text, or `defaultValue` when the key is absent. Never changes the store.
QString GetSetting(const QString &section, const QString &key, const QString &defaultValue = {});

// Stores the text; false when the store could not be written.
bool SaveSetting(const QString &section, const QString &key, const QString &value);

// Stores every value under `section` in one write: all of them, or, returning false, none.
bool SaveSettings(const QString &section, const QList<std::pair<QString, QString>> &values);

// Why the last save failed, for a message: "It is a named pipe (FIFO)...", or what holds the
// file's lock, say. Empty when the store could not tell.
QString LastFailure();

// Where the store keeps its file, for messages.
QString StoreLocation();

// "True"/"False" in any case, or a number: zero is false. Anything else has no value.
std::optional<bool> ToBoolean(const QString &text);

// A decimal number rounded half to even, and brought within -32768..32767; grouping and the
// locale's decimal comma are understood. Text that is no number has no value.
std::optional<qint16> ToInteger16(const QString &text);

// A stored preference that can't be converted falls back to the key's default.
bool GetBoolean(const QString &section, const QString &key, bool defaultValue);

// The locale's short date and its time of day with seconds, no zone; midnight is the date alone.
QString DateTimeText(const QDateTime &when, const QLocale &locale);
QString DateTimeText(const QDateTime &when);

} // namespace SettingsStore
