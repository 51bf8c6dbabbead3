#include "help/HelpText.h"

namespace HelpText {

QStringList Lines()
{
    return {
        QStringLiteral("Welcome and thank you for using Pendrel!"),
        QString(),
        QStringLiteral("HOW TO USE:"),
        QString(),
        QStringLiteral("- Click the START button to start the timer. Clicking STOP will stop it."),
        QStringLiteral(
            "- The RESET button resets the timer to zero, and allows you to start over."),
        QStringLiteral("- Clicking the SNAPSHOT button stores the current time into a log, which "
                       "you can view by selecting SESSIONS from the menu."),
        QString(),
        QStringLiteral("SESSIONS"),
        QString(),
        QStringLiteral("On the sessions screen you can see the details of all the snapshots you "
                       "have taken. By clicking on a cell, you can change the information, like "
                       "adding a comment for a specific session. Selecting a row and clicking "
                       "DELETE will remove that row. Clicking CLEAR LOG will remove all entries."),
        QString(),
        QStringLiteral("COMPACT"),
        QString(),
        QStringLiteral("By clicking COMPACT from the menu, Pendrel will minimize to become a small "
                       "display that only shows the timer. Double-clicking on the timer will "
                       "restore it to full-size."),
        QString(),
        QStringLiteral("CUSTOMIZE"),
        QString(),
        QStringLiteral(
            "On the customize screen you can change Pendrels settings to you own preferences."),
        QString(),
        QStringLiteral(
            "-CUSTOM TEXT is the text that displays above the timer on the main screen."),
        QStringLiteral("-PLAY SOUNDS indicates whether sounds are played at certain intervals, or "
                       "when pressing the RESET button."),
        QStringLiteral("-DISPLAY WARNINGS indicates whether the timer will flash a warning at the "
                       "interval specified at DISPLAY WARNING EVERY ___ DAYS"),
    };
}

QStringList KeyLines()
{
    return {
        QStringLiteral("KEYS"),
        QString(),
        QStringLiteral("-TAB moves from one control to the next, and ENTER or SPACE presses the "
                       "button that has the focus. ESCAPE closes a window."),
        QStringLiteral("-F10 or ALT+O opens the OPTIONS menu; the arrow keys and ENTER choose in "
                       "it."),
        QStringLiteral("-On the customize screen, ENTER in a text box saves your settings, as OK "
                       "does."),
        QStringLiteral("-On the sessions screen, the arrow keys move from cell to cell. F2 or "
                       "ENTER changes the cell, and ENTER ends the change."),
        QStringLiteral("-The compact display moves with the arrow keys, ten times as far with "
                       "SHIFT; ENTER or ESCAPE restores Pendrel to full-size."),
    };
}

QString Build()
{
    return (Lines() << QString() << KeyLines()).join(QStringLiteral("\r\n"));
}

} // namespace HelpText
