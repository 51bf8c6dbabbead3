#include "files/UserFolders.h"

#include <QDir>
#include <QFile>

#include <pwd.h>
#include <unistd.h>

namespace UserFolders {

namespace {
QString Home()
{
    const QString home = qEnvironmentVariable("HOME");
    if (QDir::isAbsolutePath(home))
        return home;
    const passwd *account = ::getpwuid(::getuid());
    if (account && account->pw_dir && account->pw_dir[0] == '/')
        return QFile::decodeName(account->pw_dir);
    return {};
}

QString Base(const char *variable, const char *belowHome)
{
    const QString set = qEnvironmentVariable(variable);
    if (QDir::isAbsolutePath(set))
        return set;
    const QString home = Home();
    return home.isEmpty() ? QString() : QDir(home).filePath(QLatin1String(belowHome));
}
} // namespace

QString ConfigHome()
{
    return Base("XDG_CONFIG_HOME", ".config");
}

QString DataHome()
{
    return Base("XDG_DATA_HOME", ".local/share");
}

} // namespace UserFolders
