#pragma once

#include <QString>
#include <QStringList>

namespace HelpText {

// The instructions, one entry per line, blank lines included.
QStringList Lines();

// What the keys do, in the same form: a user without a mouse learns it here.
QStringList KeyLines();

// The instructions, a blank line and the keys' lines, joined by CR LF, with no line break after
// the last one.
QString Build();

} // namespace HelpText
