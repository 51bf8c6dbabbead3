#pragma once

#include <QString>

namespace SettingsStore {

// A locale's time format less its time-zone field, together with what only frames or
// separates that field: the blanks and marks beside it, a comma before it, the brackets
// around it. Everything else, quoted text included, stays as the locale has it.
QString TimeFormatWithoutZone(const QString &format);

// A locale's time format with its day period ("B": "in the afternoon"), which the toolkit can't
// show and prints as a letter B, given as the toolkit's AM/PM instead; dropped where the format
// has an AM/PM of its own.
QString TimeFormatWithAmPm(const QString &format);

} // namespace SettingsStore
