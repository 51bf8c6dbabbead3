// The conversions from stored text, and a settings file of any bytes read through the store.
#include "settings/Preferences.h"
#include "settings/SettingsStore.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QSettings>
#include <QTemporaryDir>

#include <cstdlib>

using namespace SettingsStore;

namespace {
QTemporaryDir *home = nullptr;

void Check(bool condition)
{
    if (!condition)
        std::abort();
}
} // namespace

extern "C" int LLVMFuzzerInitialize(int *, char ***)
{
    home = new QTemporaryDir;
    QSettings::setPath(QSettings::IniFormat, QSettings::UserScope, home->filePath("config"));
    QDir().mkpath(home->filePath("config/Pendrel"));
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QByteArray bytes(reinterpret_cast<const char *>(data), int(size));
    const QString text = QString::fromUtf8(bytes);

    if (const std::optional<qint16> number = ToInteger16(text))
        Check(ToInteger16(QString::number(*number)) == number);
    if (const std::optional<bool> flag = ToBoolean(text))
        Check(ToBoolean(*flag ? QStringLiteral("1") : QStringLiteral("0")) == flag);

    // The same bytes as a hand-edited settings file: every read falls back, nothing throws.
    QFile file(home->filePath("config/Pendrel/Pendrel.ini"));
    if (file.open(QIODevice::WriteOnly | QIODevice::Truncate)) {
        file.write(bytes);
        file.close();
        const qint16 days = Preferences::Read().intWarningDays();
        Check(ToInteger16(QString::number(days)) == days);
        GetSetting(SectionSession, KeyStart);
    }
    return 0;
}
