#include "files/Autostart.h"

#include "files/RegularFile.h"
#include "files/UserFolders.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>

namespace Autostart {

namespace {
// Marks the entries that Pendrel wrote, and so may remove.
const QByteArray Mark = "X-Pendrel-Autostart=true";

QByteArray EntryBytes()
{
    QFile file(EntryPath());
    if (!RegularFile::Refusal(file.fileName()).isEmpty() || !file.open(QIODevice::ReadOnly))
        return {};
    return file.read(64 * 1024);
}

// A value of the entry's own group, as the desktop reads it.
bool SaysTrue(const QByteArray &entry, const char *key)
{
    const QRegularExpression line(QStringLiteral("^%1\\s*=\\s*true\\s*$").arg(QLatin1String(key)),
                                  QRegularExpression::MultilineOption |
                                      QRegularExpression::CaseInsensitiveOption);
    return line.match(QString::fromUtf8(entry)).hasMatch();
}

// A path as an Exec line quotes it.
QString Quoted(QString path)
{
    for (const char *special : {"\\", "\"", "`", "$"})
        path.replace(QLatin1String(special), QLatin1Char('\\') + QLatin1String(special));
    return QLatin1Char('"') + path + QLatin1Char('"');
}
} // namespace

QString EntryPath()
{
    return QDir(UserFolders::ConfigHome())
        .filePath(QStringLiteral("autostart/org.example.Pendrel.desktop"));
}

bool IsOn()
{
    const QByteArray entry = EntryBytes();
    return !entry.isEmpty() && !SaysTrue(entry, "Hidden") &&
           !entry.contains("X-GNOME-Autostart-enabled=false");
}

QString Set(bool on, const QString &program)
{
    const QString path = EntryPath();
    if (!on && !IsOn())
        return {};
    if (!QDir().mkpath(QFileInfo(path).absolutePath()))
        return QStringLiteral("The folder %1 could not be created.")
            .arg(QDir::toNativeSeparators(QFileInfo(path).absolutePath()));
    const QByteArray entry = EntryBytes();
    QFile file(path);
    if (!on && entry.contains(Mark))
        return file.remove() ? QString() : file.errorString();
    const QByteArray bytes =
        on ? "[Desktop Entry]\nType=Application\nName=Pendrel\nComment=Count the time since a "
             "moment you choose, to the hundredth\nExec=" +
                 Quoted(program).toUtf8() + " --minimized\nIcon=org.example.Pendrel\n" + Mark + "\n"
           : entry + (entry.endsWith('\n') ? "" : "\n") + "Hidden=true\n"; // another's entry
    return RegularFile::Replace(path, bytes);
}

} // namespace Autostart
