#include "TestSupport.h"

#include "app/frmMain.h"
#include "help/frmHelp.h"
#include "ui/WindowFrame.h"

#include <QAction>
#include <QLabel>
#include <QScreen>
#include <QtTest>

class tst_help : public QObject
{
    Q_OBJECT

private slots:
    // Wrong lines or line breaks; Help windows closing together or ending with the main window.
    void helpWindows()
    {
        const QStringList lines = QString(R"(Welcome and thank you for using Pendrel!

HOW TO USE:

- Click the START button to start the timer. Clicking STOP will stop it.
- The RESET button resets the timer to zero, and allows you to start over.
- Clicking the SNAPSHOT button stores the current time into a log, which you can view by selecting SESSIONS from the menu.

SESSIONS

On the sessions screen you can see the details of all the snapshots you have taken. By clicking on a cell, you can change the information, like adding a comment for a specific session. Selecting a row and clicking DELETE will remove that row. Clicking CLEAR LOG will remove all entries.

COMPACT

By clicking COMPACT from the menu, Pendrel will minimize to become a small display that only shows the timer. Double-clicking on the timer will restore it to full-size.

CUSTOMIZE

On the customize screen you can change Pendrels settings to you own preferences.

-CUSTOM TEXT is the text that displays above the timer on the main screen.
-PLAY SOUNDS indicates whether sounds are played at certain intervals, or when pressing the RESET button.
-DISPLAY WARNINGS indicates whether the timer will flash a warning at the interval specified at DISPLAY WARNING EVERY ___ DAYS)")
                                      .split('\n');
        QCOMPARE(frmHelp().findChild<QLabel *>("lblHelp")->text().split("\r\n"), lines);
        TestWorld world; // only a running event loop can end the program, so one runs here
        const auto helps = [] {
            QWidgetList open = QApplication::topLevelWidgets();
            open.removeIf([](QWidget *w) { return !w->isVisible() || !w->inherits("frmHelp"); });
            return open;
        };
        frmMain main(world.count, world.preferences);
        main.show();
        bool before = false, after = false;
        QTimer::singleShot(0, &main, [&] {
            Control<QAction>(&main, "mnuHelp")->trigger();
            Control<QAction>(&main, "mnuHelp")->trigger();
            before = helps().size() == 2;
            helps().value(0, &main)->close();
            main.close();
        });
        QTimer::singleShot(0, &main, [&] {
            after = before && !main.isVisible() && helps().size() == 1;
            helps().value(0, &main)->close();
        });
        QTimer::singleShot(5000, &main, [] { QCoreApplication::exit(1); }); // if it runs on
        QCOMPARE(QCoreApplication::exec(), 0);
        QVERIFY(after);
    }

    // A window centred by its inside instead of its frame; the web address in another face than
    // the dialog font, or its descenders cut at the window's bottom edge.
    void centredWithTheAddressWhole()
    {
        const QMargins openbox(1, 20, 1, 1);
        QCOMPARE(CentredFramePosition({0, 0, 1280, 770}, {490, 188}, openbox), QPoint(394, 280));
        QCOMPARE(CentredFramePosition({60, 30, 1220, 770}, {407, 595}, openbox), QPoint(465, 107));
        TestWorld world;
        frmMain main(world.count, world.preferences);
        frmHelp help;
        for (QWidget *window : std::initializer_list<QWidget *>{&main, &help}) {
            window->show();
            QCoreApplication::processEvents(); // the window is framed and exposed
            QVERIFY(window->windowHandle()->isExposed());
            QCOMPARE(window->frameGeometry().center(),
                     window->screen()->availableGeometry().center());
            const auto *url = Control<QLabel>(window, "lblURL");
            const QFontInfo face(url->font());
            QCOMPARE(face.family() + " " + QString::number(face.pixelSize()), "Liberation Sans 11");
            const int lineTop = url->mapTo(window, url->contentsRect().topLeft()).y();
            QVERIFY(lineTop + QFontMetrics(url->font()).height() <= window->height());
        }
    }
};

QTEST_MAIN(tst_help)
#include "tst_help.moc"
