#include "TestSupport.h"

#include "app/frmMain.h"
#include "help/frmHelp.h"
#include "app/Maker.h"

class tst_help : public QObject
{
    Q_OBJECT

    QStringList browsed;

public slots:
    void browse(const QUrl &url) { browsed << url.toString(); } // the desktop's browser

private slots:
    // Wrong lines or line breaks; Help windows closing together, not by their Close button, or
    // ending with the main window.
    void helpWindows()
    {
        const QStringList lines = frmHelp().findChild<QLabel *>("lblHelp")->text().split("\r\n");
        QCOMPARE(lines.size(), 23);
        QCOMPARE(lines.filter(QRegularExpression("^[A-Z :]+$")),
                 QStringList({"HOW TO USE:", "SESSIONS", "COMPACT", "CUSTOMIZE"}));
        QCOMPARE(lines.count(QString()), 9);
        TestWorld world; // only a running event loop can end the program, so one runs here
        const auto helps = [] {
            QWidgetList open = QApplication::topLevelWidgets();
            open.removeIf([](QWidget *w) { return !w->isVisible() || !w->inherits("frmHelp"); });
            return open;
        };
        frmMain main(world.count, world.preferences);
        main.show();
        QStringList seen; // help windows open, and the main window's state
        QTimer::singleShot(0, &main, [&] {
            Control<QAction>(&main, "mnuHelp")->trigger();
            Control<QAction>(&main, "mnuHelp")->trigger();
            seen << QString::number(helps().size());
            Click(helps().value(0, &main), "cmdClose");
            main.close();
        });
        QTimer::singleShot(0, &main, [&] {
            seen << QString::number(helps().size()) << (main.isVisible() ? "main up" : "main gone");
            for (QWidget *help : helps())
                help->close();
        });
        QTimer::singleShot(5000, &main, [] { QCoreApplication::exit(1); }); // if it runs on
        const int ended = QCoreApplication::exec();
        QCOMPARE(seen.join(' '), "2 1 main gone");
        QCOMPARE(ended, 0);
    }

    // The web address not handed to the desktop's browser as a web address.
    void webAddressOpens()
    {
        QDesktopServices::setUrlHandler("http", this, "browse");
        frmHelp help;
        help.show();
        QTest::mouseClick(Control(&help, "lblURL"), Qt::LeftButton);
        QDesktopServices::unsetUrlHandler("http");
        QCOMPARE(browsed, QStringList{"http://" + Maker::Address()});
    }
};

QTEST_MAIN(tst_help)
#include "tst_help.moc"
