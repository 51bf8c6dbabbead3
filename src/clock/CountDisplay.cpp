#include "clock/CountDisplay.h"

#include "ui/DesignFonts.h"

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
    QWidget *panel = nullptr;
    bool wholeSeconds = false; // changed: the hundredths are not in the spoken phrase
    for (int i = 0; i < 6; ++i) {
        auto *label = window->findChild<QLabel *>(names[i]);
        if (!label)
            continue;
        if (label->text() != *values[i]) {
            label->setText(*values[i]);
            wholeSeconds = wholeSeconds || values[i] != &texts.hundredths;
            // "10 Days" and "100 Years" are wider than their labels: the font shrinks instead
            // of the unit wrapping out of sight. The digits below keep their size.
            if (i < 2)
                FitOnOneLine(label);
        }
        panel = label->parentWidget();
    }
    // Assistive tools hear the panel, not its labels: the count as one phrase, renamed only
    // when the phrase changes, once a second at most. It is worked out only then, not at
    // every tick.
    if (!panel || (!wholeSeconds && !panel->accessibleName().isEmpty()))
        return;
    const QString spoken = texts.Spoken();
    if (panel->accessibleName() != spoken)
        panel->setAccessibleName(spoken);
}

} // namespace modStopWatch
