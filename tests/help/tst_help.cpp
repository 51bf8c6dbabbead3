// The help window: its text, the web address, the ways to close it, and its life beside and
// after the main window.
#include "TestSupport.h"

#include "app/frmMain.h"
#include "help/HelpText.h"
#include "help/frmHelp.h"

#include <QApplication>
#include <QLabel>
#include <QPointer>
#include <QPushButton>
#include <QSignalSpy>
#include <QTimer>
#include <QtTest>

namespace {
QList<frmHelp *> OpenHelpWindows()
{
    QList<frmHelp *> open;
    for (QWidget *widget : QApplication::topLevelWidgets()) {
        if (auto *help = qobject_cast<frmHelp *>(widget); help && help->isVisible())
            open << help;
    }
    return open;
}

void FlushDeletes()
{
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}
} // namespace

class tst_help : public QObject
{
    Q_OBJECT

    std::unique_ptr<TestWorld> world;

private slots:
    void init() { world = std::make_unique<TestWorld>(); }
    void cleanup()
    {
        for (frmHelp *help : OpenHelpWindows())
            delete help;
        world.reset();
    }

    void text_is_the_23_lines_joined_by_cr_lf()
    {
        const QStringList expected = {
            "Welcome and thank you for using Pendrel!",
            "",
            "HOW TO USE:",
            "",
            "- Click the START button to start the timer. Clicking STOP will stop it.",
            "- The RESET button resets the timer to zero, and allows you to start over.",
            "- Clicking the SNAPSHOT button stores the current time into a log, which you can "
            "view by selecting SESSIONS from the menu.",
            "",
            "SESSIONS",
            "",
            "On the sessions screen you can see the details of all the snapshots you have taken. "
            "By clicking on a cell, you can change the information, like adding a comment for a "
            "specific session. Selecting a row and clicking DELETE will remove that row. Clicking "
            "CLEAR LOG will remove all entries.",
            "",
            "COMPACT",
            "",
            "By clicking COMPACT from the menu, Pendrel will minimize to become a small display "
            "that only shows the timer. Double-clicking on the timer will restore it to "
            "full-size.",
            "",
            "CUSTOMIZE",
            "",
            "On the customize screen you can change Pendrels settings to you own preferences.",
            "",
            "-CUSTOM TEXT is the text that displays above the timer on the main screen.",
            "-PLAY SOUNDS indicates whether sounds are played at certain intervals, or when "
            "pressing the RESET button.",
            "-DISPLAY WARNINGS indicates whether the timer will flash a warning at the interval "
            "specified at DISPLAY WARNING EVERY ___ DAYS",
        };
        QCOMPARE(expected.size(), 23);

        frmHelp help;
        const QString text = help.findChild<QLabel *>("lblHelp")->text();
        QCOMPARE(text, HelpText::Build());
        QVERIFY(!text.endsWith(QLatin1Char('\n')) && !text.endsWith(QLatin1Char('\r')));
        QCOMPARE(text.count(QStringLiteral("\r\n")), 22);
        const QStringList lines = text.split(QStringLiteral("\r\n"));
        QCOMPARE(lines.size(), expected.size());
        for (int i = 0; i < lines.size(); ++i) {
            QVERIFY2(!lines[i].contains('\r') && !lines[i].contains('\n'), qPrintable(lines[i]));
            QCOMPARE(lines[i], expected[i]);
        }
    }

    void labels_show_text_as_typed()
    {
        frmHelp help;
        for (const char *name : {"Label1", "Label2", "lblURL", "lblHelp"})
            QCOMPARE(help.findChild<QLabel *>(name)->textFormat(), Qt::PlainText);
        QCOMPARE(help.windowTitle(), QStringLiteral("Help"));
        QStringList focusable;
        for (const QWidget *widget : help.findChildren<QWidget *>()) {
            if (widget->focusPolicy() != Qt::NoFocus)
                focusable << widget->objectName();
        }
        QCOMPARE(focusable, QStringList{"cmdClose"});
        // The main window and the help window name the same address.
        frmMain main;
        QCOMPARE(help.findChild<QLabel *>("lblURL")->text(),
                 main.findChild<QLabel *>("lblURL")->text());
    }

    void address_opens_and_the_window_stays()
    {
        frmHelp help;
        help.show();
        QLabel *url = help.findChild<QLabel *>("lblURL");
        QTest::mouseClick(url, Qt::LeftButton);
        QCOMPARE(world->openedUrls, QStringList{url->text()});
        QVERIFY(help.isVisible());
        QTest::mouseClick(url, Qt::RightButton);
        QCOMPARE(world->openedUrls.size(), 1);
    }

    void close_button_and_escape_close_it_data()
    {
        QTest::addColumn<bool>("escape");
        QTest::newRow("Close") << false;
        QTest::newRow("Escape") << true;
    }
    void close_button_and_escape_close_it()
    {
        QFETCH(bool, escape);
        frmMain main;
        main.mnuHelp_Click();
        QCOMPARE(OpenHelpWindows().size(), 1);
        QPointer<frmHelp> help = OpenHelpWindows().first();
        auto *close = help->findChild<QPushButton *>("cmdClose");
        if (escape)
            QTest::keyClick(close, Qt::Key_Escape);
        else
            QTest::mouseClick(close, Qt::LeftButton);
        FlushDeletes();
        QVERIFY(help.isNull()); // closed and released
    }

    void each_help_command_opens_its_own_window()
    {
        frmMain main;
        main.mnuHelp_Click();
        main.mnuHelp_Click();
        const QList<frmHelp *> open = OpenHelpWindows();
        QCOMPARE(open.size(), 2);
        QVERIFY(open[0] != open[1]);
        QVERIFY(!open[0]->isModal() && !open[1]->isModal());
        QPointer<frmHelp> other = open[1];
        open[0]->close();
        FlushDeletes();
        QVERIFY(!other.isNull() && other->isVisible());
        QCOMPARE(OpenHelpWindows().size(), 1);
    }

    void help_outlives_the_main_window_data()
    {
        QTest::addColumn<bool>("closeBox");
        QTest::newRow("closed by its close box") << true;
        QTest::newRow("closed by its Close button") << false;
    }
    void help_outlives_the_main_window()
    {
        // Only a running event loop ends the program, so this test runs one.
        QFETCH(bool, closeBox);
        QSignalSpy lastClosed(qApp, &QGuiApplication::lastWindowClosed);
        QPointer<frmMain> main = new frmMain;
        main->setAttribute(Qt::WA_DeleteOnClose);
        main->show();
        QPointer<frmHelp> help;
        bool helpOutlivedMain = false;

        QTimer::singleShot(0, qApp, [&] {
            main->mnuHelp_Click();
            help = OpenHelpWindows().value(0);
            main->close();
        });
        QTimer::singleShot(0, qApp, [&] {
            helpOutlivedMain =
                (!main || !main->isVisible()) && help && help->isVisible() && lastClosed.isEmpty();
            if (!help)
                return;
            if (closeBox)
                help->close();
            else
                help->findChild<QPushButton *>("cmdClose")->click();
        });
        QTimer guard; // ends a program that would otherwise run on
        guard.setSingleShot(true);
        connect(&guard, &QTimer::timeout, qApp, [] { QCoreApplication::exit(1); });
        guard.start(5000);

        QCOMPARE(QCoreApplication::exec(), 0);
        QVERIFY(helpOutlivedMain);
        QCOMPARE(lastClosed.count(), 1);
    }
};

QTEST_MAIN(tst_help)
#include "tst_help.moc"
