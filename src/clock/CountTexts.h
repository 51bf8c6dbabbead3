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

    // "0 Years, 0 Days, 00:00:00.00", as a snapshot line records it before lower-casing.
    QString Joined() const;
    // "0 years, 1 day, 05:07:09": the count as assistive tools speak it, changing once a second.
    QString Spoken() const;

    bool operator==(const CountTexts &other) const;
};

// The texts for whole years and days and the milliseconds of the current day. Hundredths are
// cut, never rounded; the seconds always end in ".", whatever the locale.
CountTexts FormatCount(int years, int days, qint64 msOfDay);

QString YearsText(int years);
QString DaysText(int days);

} // namespace modStopWatch
