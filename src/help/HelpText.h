#pragma once

#include <QString>
#include <QStringList>

namespace HelpText {

// The instructions, one entry per line, blank lines included.
QStringList Lines();

// The lines joined by CR LF, with no line break after the last one.
QString Build();

} // namespace HelpText
