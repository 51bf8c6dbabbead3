#include "settings/SettingsStore.h"

#include "settings/TimeFormat.h"

#include <QDateTime>
#include <QLocale>
#include <QSettings>
#include <QStringList>

#include <cmath>

namespace SettingsStore {

namespace {
QString ApplicationName()
{
    return QStringLiteral("Pendrel");
}

QSettings Store()
{
    return QSettings(QSettings::IniFormat, QSettings::UserScope, ApplicationName(),
                     ApplicationName());
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

QString KeyPath(const QString &section, const QString &key)
{
    return section + QLatin1Char('/') + key;
}
} // namespace

QString GetSetting(const QString &section, const QString &key, const QString &defaultValue)
{
    const QVariant value = Store().value(KeyPath(section, key));
    if (!value.isValid())
        return defaultValue;
    // An unquoted comma in a hand-edited file reads back as a list.
    if (value.userType() == QMetaType::QStringList)
        return value.toStringList().join(QStringLiteral(", "));
    return value.toString();
}

bool SaveSetting(const QString &section, const QString &key, const QString &value)
{
    QSettings store = Store();
    if (!store.isWritable())
        return false;
    store.setValue(KeyPath(section, key), value);
    store.sync();
    return store.status() == QSettings::NoError;
}

QString StoreLocation()
{
    return Store().fileName();
}

std::optional<bool> ToBoolean(const QString &text)
{
    const QString trimmed = text.trimmed();
    if (trimmed.compare(QLatin1String("true"), Qt::CaseInsensitive) == 0)
        return true;
    if (trimmed.compare(QLatin1String("false"), Qt::CaseInsensitive) == 0)
        return false;
    bool ok = false;
    const double number = NumberLocale().toDouble(trimmed, &ok);
    if (!ok || !std::isfinite(number))
        return std::nullopt;
    return number != 0.0;
}

std::optional<qint16> ToInteger16(const QString &text)
{
    bool ok = false;
    const double number = NumberLocale().toDouble(text.trimmed(), &ok);
    if (!ok || !std::isfinite(number))
        return std::nullopt;
    const double rounded = std::nearbyint(number); // the default mode rounds halves to even
    if (rounded < -32768.0 || rounded > 32767.0)
        return std::nullopt;
    return qint16(rounded);
}

bool GetBoolean(const QString &section, const QString &key, bool defaultValue)
{
    const QString fallback = defaultValue ? QStringLiteral("True") : QStringLiteral("False");
    return ToBoolean(GetSetting(section, key, fallback)).value_or(defaultValue);
}

qint16 GetInteger16(const QString &section, const QString &key, qint16 defaultValue)
{
    return ToInteger16(GetSetting(section, key, QString::number(defaultValue)))
        .value_or(defaultValue);
}

QString DateTimeText(const QDateTime &when, const QLocale &locale)
{
    const QString date = locale.toString(when.date(), QLocale::ShortFormat);
    const QTime time = when.time();
    if (time.hour() == 0 && time.minute() == 0 && time.second() == 0)
        return date;
    const QString format = TimeFormatWithoutZone(locale.timeFormat(QLocale::LongFormat));
    return date + QLatin1Char(' ') + locale.toString(time, format);
}

QString DateTimeText(const QDateTime &when)
{
    return DateTimeText(when, QLocale::system());
}

} // namespace SettingsStore
