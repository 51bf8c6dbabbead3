#include "files/ProgramFolder.h"

#include <QCoreApplication>

namespace ProgramFolder {

namespace {
QString &overridePath()
{
    static QString path;
    return path;
}
} // namespace

QString Path()
{
    return overridePath().isEmpty() ? QCoreApplication::applicationDirPath() : overridePath();
}

void SetPath(const QString &path)
{
    overridePath() = path;
}

} // namespace ProgramFolder
