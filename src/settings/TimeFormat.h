#pragma once

#include <QString>

namespace SettingsStore {

// A locale's time format less its time-zone field, together with what only frames or
// separates that field: the blanks and marks beside it, a comma before it, the brackets
// around it. Everything else, quoted text included, stays as the locale has it.
QString TimeFormatWithoutZone(const QString &format);

} // namespace SettingsStore
