#pragma once

#include <QString>
#include <QtGlobal>

namespace modStopWatch {

constexpr qint64 MsPerMinute = 60'000;
constexpr qint64 MsPerHour = 60 * MsPerMinute;
constexpr qint64 MsPerDay = 24 * MsPerHour;
constexpr int DaysPerYear = 365;

// The six texts of the count as the display shows them, zero forms by default.
struct CountTexts {
    QString years = QStringLiteral("0 Years");
    QString days = QStringLiteral("0 Days");
    QString hours = QStringLiteral("00:");
    QString minutes = QStringLiteral("00:");
    QString seconds = QStringLiteral("00.");
    QString hundredths = QStringLiteral("00");
    // What the texts show, as numbers: words are made from these, never read back from a text.
    int wholeYears = 0;
    int wholeDays = 0;
    qint64 msOfDay = 0;

    // "0 Years, 0 Days, 00:00:00.00", as a snapshot line records it before lower-casing.
    QString Joined() const;
    // "1 day, 5 hours, 0 minutes, 9 seconds": the count as assistive tools speak it, in words
    // with their units, changing once a second. Years and days are left out while they are 0.
    QString Spoken() const;

    bool operator==(const CountTexts &other) const;
};

// The texts for whole years and days and the milliseconds of the current day. Hundredths are
// cut, never rounded; the seconds always end in ".", whatever the locale.
CountTexts FormatCount(int years, int days, qint64 msOfDay);

QString YearsText(int years);
QString DaysText(int days);

} // namespace modStopWatch
