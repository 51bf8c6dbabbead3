#include "clock/CountDisplay.h"

#include <QLabel>

namespace modStopWatch {

void UpdateDisplay(const CountTexts &texts, QWidget *window)
{
    // The names are made once: this runs every 10 ms.
    static const QString names[] = {QStringLiteral("lblYears"),   QStringLiteral("lblDays"),
                                    QStringLiteral("lblHours"),   QStringLiteral("lblMinutes"),
                                    QStringLiteral("lblSeconds"), QStringLiteral("lblSecHundreds")};
    const QString *values[] = {&texts.years,   &texts.days,    &texts.hours,
                               &texts.minutes, &texts.seconds, &texts.hundredths};
    for (int i = 0; i < 6; ++i) {
        auto *label = window->findChild<QLabel *>(names[i]);
        if (label && label->text() != *values[i])
            label->setText(*values[i]);
    }
}

} // namespace modStopWatch
