#pragma once

#include <QString>

// Who makes Pendrel and where to find it; the main and help windows show the same.
namespace Maker {

inline QString Name()
{
    return QStringLiteral("Pendrel Works");
}

inline QString Address()
{
    return QStringLiteral("pendrel.example.org");
}

} // namespace Maker
