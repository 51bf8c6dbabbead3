#include "app/modLaunch.h"
#include "files/UserFolders.h"

#include <QApplication>
#include <QSettings>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Pendrel"));
    QApplication::setApplicationVersion(QStringLiteral("1.00"));
    QApplication::setQuitOnLastWindowClosed(true);
    // The settings file follows the XDG rules, not the toolkit's reading of them, which takes a
    // relative $XDG_CONFIG_HOME from the working folder and, without a $HOME, writes to /.config.
    if (const QString config = UserFolders::ConfigHome(); !config.isEmpty())
        QSettings::setPath(QSettings::IniFormat, QSettings::UserScope, config);
    // As the login's start-up entry starts it.
    modLaunch::Main(app.arguments().contains(QStringLiteral("--minimized")));
    return app.exec();
}
