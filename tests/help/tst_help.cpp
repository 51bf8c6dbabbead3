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
    // Lines run together; Help windows closing together, not by their Close button, or ending
    // with the main window.
    void helpWindows()
    {
        const QStringList lines = frmHelp().findChild<QLabel *>("lblHelp")->text().split("\r\n");
        QCOMPARE(lines.filter(QRegularExpression("^[A-Z :]+$")),
                 QStringList({"HOW TO USE:", "SESSIONS", "COMPACT", "CUSTOMIZE"}));
        TestWorld world; // only a running event loop can end the program, so one runs here
        const auto helps = [] {
            QWidgetList open = QApplication::topLevelWidgets();
            open.removeIf([](QWidget *w) { return !w->isVisible() || !w->inherits("frmHelp"); });
            return open;
        };
        frmMain main(world.count, world.preferences);
        main.show();
        qsizetype afterClose = -1, afterMainClosed = -1;
        bool mainShown = true;
        QTimer::singleShot(0, &main, [&] {
            Control<QAction>(&main, "mnuHelp")->trigger();
            Control<QAction>(&main, "mnuHelp")->trigger();
            Click(helps().value(0, &main), "cmdClose");
            afterClose = helps().size();
            main.close();
        });
        QTimer::singleShot(0, &main, [&] {
            afterMainClosed = helps().size();
            mainShown = main.isVisible();
            for (QWidget *help : helps())
                help->close();
        });
        QTimer::singleShot(5000, &main, [] { QCoreApplication::exit(1); }); // if it runs on
        QCOMPARE(QCoreApplication::exec(), 0);
        QCOMPARE(afterClose, 1);
        QCOMPARE(afterMainClosed, 1);
        QVERIFY(!mainShown);
    }

    // The web address not handed to the desktop's browser as a web address.
    void webAddressOpens()
    {
        QDesktopServices::setUrlHandler("http", this, "browse");
        const auto restore = qScopeGuard([] { QDesktopServices::unsetUrlHandler("http"); });
        frmHelp help;
        help.show();
        QTest::mouseClick(Control(&help, "lblURL"), Qt::LeftButton);
        QCOMPARE(browsed, QStringList{"http://" + Maker::Address()});
    }
};

QTEST_MAIN(tst_help)
#include "tst_help.moc"
