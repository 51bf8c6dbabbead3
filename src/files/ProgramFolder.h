#pragma once

#include <QString>

// The folder of the executable, where the sounds and the session log live. Tests point it
// at a folder of their own.
namespace ProgramFolder {

QString Path();
// An empty path restores the executable's folder.
void SetPath(const QString &path);

} // namespace ProgramFolder
