#include "settings/SettingsStore.h"

#include "files/Locks.h"
#include "files/RegularFile.h"
#include "settings/TimeFormat.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLocale>
#include <QLockFile>
#include <QSettings>
#include <QStringList>

#include <algorithm>
#include <array>
#include <cmath>
#include <sys/stat.h>

namespace SettingsStore {

namespace {
// How long a save waits for another copy's save of the settings file.
constexpr int SettingsLockWait = 2000;

QString ApplicationName()
{
    return QStringLiteral("Pendrel");
}

// The per-user file, found without reading it: a QSettings reads its files as it is made, and
// a pipe in the store's place would block it for good. This one reads no file that exists.
QString StoreFile()
{
    const QSettings probe(QSettings::IniFormat, QSettings::UserScope,
                          QStringLiteral("PendrelSettingsFolderProbe"));
    return QFileInfo(probe.fileName())
        .dir()
        .filePath(ApplicationName() + QLatin1Char('/') + ApplicationName() +
                  QStringLiteral(".ini"));
}

// Which file is at a path, and when it was last written: a save puts a new file in place.
using FileStamp = std::array<qint64, 4>;
FileStamp Stamp(const QString &path)
{
    struct stat info = {};
    if (::stat(QFile::encodeName(path).constData(), &info) != 0)
        return {};
    return {qint64(info.st_dev), qint64(info.st_ino), qint64(info.st_mtim.tv_sec),
            qint64(info.st_mtim.tv_nsec)};
}

QString &LastFailureText()
{
    static QString text;
    return text;
}

// Plain decimal numbers only: "1,000" is no number here.
const QLocale &NumberLocale()
{
    static const QLocale locale = [] {
        QLocale c = QLocale::c();
        c.setNumberOptions(QLocale::RejectGroupSeparator);
        return c;
    }();
    return locale;
}

// A decimal number as the user writes it, grouping included ("1,000"; "1.000" and "2,5" in
// German), or as stored files have always held it ("2.5"), in the digits of any script.
std::optional<double> ToNumber(const QString &text)
{
    QString plain = text.trimmed();
    for (QChar &c : plain) {
        if (c.isDigit())
            c = QChar(u'0' + c.digitValue());
    }
    bool ok = false;
    double number = QLocale().toDouble(plain, &ok);
    if (!ok)
        number = NumberLocale().toDouble(plain, &ok);
    if (!ok || !std::isfinite(number))
        return std::nullopt;
    return number;
}

QString KeyPath(const QString &section, const QString &key)
{
    return section + QLatin1Char('/') + key;
}
} // namespace

QString GetSetting(const QString &section, const QString &key, const QString &defaultValue)
{
    const QString file = StoreFile();
    if (!RegularFile::Refusal(file).isEmpty())
        return defaultValue;
    const QVariant value = QSettings(file, QSettings::IniFormat).value(KeyPath(section, key));
    if (!value.isValid())
        return defaultValue;
    // An unquoted comma in a hand-edited file reads back as a list.
    if (value.userType() == QMetaType::QStringList)
        return value.toStringList().join(QStringLiteral(", "));
    return value.toString();
}

bool SaveSetting(const QString &section, const QString &key, const QString &value)
{
    return SaveSettings(section, {{key, value}});
}

bool SaveSettings(const QString &section, const QList<std::pair<QString, QString>> &values)
{
    const QString file = StoreFile();
    LastFailureText() = RegularFile::Refusal(file);
    if (!LastFailureText().isEmpty())
        return false;
    {
        // The toolkit's own write waits for this lock without end: it is taken here first, for
        // a bounded time, and let go at once for the toolkit to take.
        QLockFile lock(file + QStringLiteral(".lock"));
        if (!Locks::Take(lock, SettingsLockWait)) {
            LastFailureText() = Locks::WhatHolds(lock.fileName());
            return false;
        }
    }
    const FileStamp before = Stamp(file);
    // One file written in one step: every value or, when it fails, none.
    QSettings store(file, QSettings::IniFormat);
    QList<QVariant> old;
    for (const auto &[key, value] : values) {
        old << store.value(KeyPath(section, key));
        store.setValue(KeyPath(section, key), value);
    }
    store.sync();
    // A junk line or a byte-order mark reads as a format error, which hides whether the write
    // failed; a write that succeeded put a new file in place.
    if (store.status() == QSettings::NoError || Stamp(file) != before) {
        // The toolkit syncs the new file before it renames it into place; the rename itself is
        // on disk only once the folder is.
        RegularFile::SyncFolderOf(RegularFile::Resolved(file));
        return true;
    }
    // QSettings keeps unwritten values for every later reader of the file, and writes them with
    // the next save of anything: the old ones go back instead.
    for (qsizetype i = 0; i < values.size(); ++i) {
        if (old[i].isValid())
            store.setValue(KeyPath(section, values[i].first), old[i]);
        else
            store.remove(KeyPath(section, values[i].first));
    }
    LastFailureText().clear();
    return false;
}

QString LastFailure()
{
    return LastFailureText();
}

QString StoreLocation()
{
    return StoreFile();
}

std::optional<bool> ToBoolean(const QString &text)
{
    const QString trimmed = text.trimmed();
    if (trimmed.compare(QLatin1String("true"), Qt::CaseInsensitive) == 0)
        return true;
    if (trimmed.compare(QLatin1String("false"), Qt::CaseInsensitive) == 0)
        return false;
    const std::optional<double> number = ToNumber(trimmed);
    if (!number)
        return std::nullopt;
    return *number != 0.0;
}

std::optional<qint16> ToInteger16(const QString &text)
{
    const std::optional<double> number = ToNumber(text);
    if (!number)
        return std::nullopt;
    const double rounded = std::nearbyint(*number); // the default mode rounds halves to even
    // Past the range means the range's end: 99999 days is "hardly ever", not the default 3.
    return qint16(std::clamp(rounded, -32768.0, 32767.0));
}

bool GetBoolean(const QString &section, const QString &key, bool defaultValue)
{
    const QString fallback = defaultValue ? QStringLiteral("True") : QStringLiteral("False");
    return ToBoolean(GetSetting(section, key, fallback)).value_or(defaultValue);
}

QString DateTimeText(const QDateTime &when, const QLocale &locale)
{
    const QString date = locale.toString(when.date(), QLocale::ShortFormat);
    const QTime time = when.time();
    if (time.hour() == 0 && time.minute() == 0 && time.second() == 0)
        return date;
    const QString format =
        TimeFormatWithoutZone(TimeFormatWithAmPm(locale.timeFormat(QLocale::LongFormat)));
    return date + QLatin1Char(' ') + locale.toString(time, format);
}

QString DateTimeText(const QDateTime &when)
{
    return DateTimeText(when, QLocale::system());
}

} // namespace SettingsStore
