#include "clock/Warning.h"

#include "clock/modStopWatch.h"

#include <QLabel>
#include <QTimer>
#include <QWidget>

namespace modStopWatch {

namespace {
// The blink lasts through the first sixteen minutes of the new day.
constexpr int LastBlinkMinute = 15;

QTimer *WarningTimer(QWidget *window)
{
    return window->findChild<QTimer *>(QStringLiteral("tmrWarning"));
}

void ShowWarningInstead(QWidget *window, bool warning)
{
    if (auto *label = window->findChild<QWidget *>(QStringLiteral("lblWarning")))
        label->setVisible(warning);
    if (auto *panel = window->findChild<QWidget *>(QStringLiteral("picElapsed")))
        panel->setVisible(!warning);
}
} // namespace

QString WarningText(int days)
{
    return QStringLiteral("You have not had sex in ") + QString::number(days) +
           QStringLiteral(" days!");
}

void ArmWarning(QWidget *window)
{
    // A roll-over seen first by the compact window brings no warning for that day.
    if (!window || window->objectName() != QLatin1String("frmMain"))
        return;
    const Preferences &prefs = Prefs();
    if (Count().intDays < prefs.intWarningDays || !prefs.blnDisplayWarnings)
        return;
    SetCaption(window, "lblWarning", WarningText(Count().intDays));
    if (QTimer *timer = WarningTimer(window))
        timer->start();
}

void WarningBlinkTick(QWidget *window)
{
    bool ok = false;
    const int minutes = Caption(window, "lblMinutes").left(2).toInt(&ok);
    if (ok && minutes <= LastBlinkMinute) {
        // isHidden, not isVisible: the main window may itself be hidden behind the compact one.
        const auto *label = window->findChild<QWidget *>(QStringLiteral("lblWarning"));
        ShowWarningInstead(window, label && label->isHidden());
        return;
    }
    if (QTimer *timer = WarningTimer(window))
        timer->stop();
    ShowWarningInstead(window, false);
}

} // namespace modStopWatch
