#pragma once

#include <QString>

// "Start Pendrel when I log in": an XDG autostart entry in the per-user autostart folder, which
// the desktop's own start-up settings can switch off as well. The entry is the one truth: it is
// read each time, not kept in the settings store.
namespace Autostart {

// $XDG_CONFIG_HOME/autostart/org.example.Pendrel.desktop, or in ~/.config.
QString EntryPath();

// Whether the desktop starts Pendrel at login: the entry is there and nobody switched it off.
bool IsOn();

// Writes the entry, starting `program` minimized, or takes it away: removed where Pendrel wrote
// it, switched off where someone else did. Empty, or why it could not be done.
QString Set(bool on, const QString &program);

} // namespace Autostart
