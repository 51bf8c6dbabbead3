// What a screen reader hears, and Pendrel by the keyboard alone, with a focus one can see.
#include "TestSupport.h"

#include "app/Maker.h"
#include "app/frmMain.h"
#include "compact/frmCompact.h"
#include "help/frmHelp.h"
#include "log/frmSessions.h"
#include "settings/frmCustomize.h"
#include "ui/Readable.h"

static QStringList heard; // "Event objectName", as the bridge received them
static QStringList told;  // the notifications that appeared, by their text

// Loaded as a screen reader's bridge is, so it hears every event they would; never deleted.
class Recorder : public QAccessibleBridgePlugin, public QAccessibleBridge
{
    Q_OBJECT
    Q_PLUGIN_METADATA(IID "org.qt-project.Qt.QAccessibleBridgeFactoryInterface" FILE
                          "recorder.json")

public:
    QAccessibleBridge *create(const QString &) override { return this; }
    void setRootObject(QAccessibleInterface *) override {}
    void notifyAccessibilityUpdate(QAccessibleEvent *event) override
    {
        const char *type = QMetaEnum::fromType<QAccessible::Event>().valueToKey(event->type());
        heard << QString(type) + " " + (event->object() ? event->object()->objectName() : "");
        QAccessibleInterface *node = event->accessibleInterface();
        if (event->type() == QAccessible::Focus && event->child() >= 0 && node)
            heard.last() += " " + node->text(QAccessible::Name); // the cell
        if (event->type() == QAccessible::ObjectShow && node &&
            node->role() == QAccessible::Notification)
            told << node->text(QAccessible::Name);
    }
};
Q_IMPORT_PLUGIN(Recorder)

static QAccessibleInterface *Node(QObject *object, const char *name = nullptr)
{
    return QAccessible::queryAccessibleInterface(name ? Control(object, name) : object);
}

static QWidget *Focused() // where the keys go: an open menu, the focused control, the window
{
    if (QWidget *menu = QApplication::activePopupWidget())
        return menu;
    return QApplication::focusWidget() ? QApplication::focusWidget() : QApplication::activeWindow();
}

static QString At() // "window/control", "window" where it has the keys itself, or "menu"
{
    const QWidget *widget = Focused();
    if (!widget || widget->windowType() == Qt::Popup)
        return widget ? "menu" : "nowhere";
    const QString window = widget->window()->objectName();
    return widget->isWindow() ? window : window + "/" + widget->objectName();
}

// Types `script`, "window: control key, ...; window: key, ...", each key once the keyboard is
// there, from the event loop so modal windows run their own. Notes where the window stands at
// each key; returns what went wrong, and the windows left open at the end.
static QString Type(const QString &script, QList<QPoint> &windowAt)
{
    QStringList steps; // "where key"
    for (const QString &group : script.simplified().split("; ")) {
        for (const QString &step : group.section(": ", 1).split(", "))
            steps << group.section(": ", 0, 0) + (step.contains(' ') ? "/" : " ") + step;
    }
    QString fault;
    int waited = 0;
    QEventLoop walked;
    std::function<void()> turn = [&] {
        if (!steps.isEmpty() && ++waited < 100) { // the keyboard may not be there yet
            QTimer::singleShot(0, &walked, turn);
            if (At() != steps[0].section(' ', 0, 0))
                return;
            const QKeyCombination key = QKeySequence(steps.takeFirst().section(' ', 1))[0];
            waited = 0;
            windowAt << Focused()->window()->pos();
            QTest::keyClick(Focused(), key.key(), key.keyboardModifiers());
            return;
        }
        if (!steps.isEmpty()) // a key the keyboard never got to
            fault = "before " + steps[0] + " the keyboard is at " + At();
        for (const QWidget *window : QApplication::topLevelWidgets()) {
            if (window->isVisible())
                fault += QString(" left open: ") + window->metaObject()->className();
        }
        QApplication::closeAllWindows();
        walked.quit();
    };
    QTimer::singleShot(0, &walked, turn);
    walked.exec();
    return fault;
}

// Tabs `stops` times through `window`, noting each control's name (or text), "unnamed" where a
// screen reader has none, and the sides of its focus ring not 2 px or more at 3:1 to no focus.
static QString Tour(QWidget *window, int stops)
{
    window->show();
    window->activateWindow();
    QCoreApplication::processEvents();
    QStringList seen;
    for (int stop = 0; stop < stops; ++stop) {
        QWidget *control = QApplication::focusWidget();
        if (!control)
            return seen.join(' ') + " nothing";
        const QString text = control->property("text").toString().remove('&');
        seen << (control->objectName().isEmpty() ? text : control->objectName());
        if (Node(control)->text(QAccessible::Name).trimmed().isEmpty())
            seen.last() += " unnamed";
        const QRect area =
            QRect(control->mapTo(window, QPoint()), control->size()).adjusted(-4, -4, 4, 4) &
            window->rect();
        QImage focused = window->grab(area).toImage();
        control->clearFocus();
        QImage plain = window->grab(area).toImage();
        control->setFocus(Qt::TabFocusReason);
        for (const char *side : {" left", " bottom", " right", " top"}) { // turning clockwise
            QString ring; // from the outside in, "x" where the ring stands out
            for (QPoint p(0, focused.height() / 2); ring.size() < 8; p += QPoint(1, 0))
                ring += Readable::Contrast(focused.pixel(p), plain.pixel(p)) >= 3 ? "x" : ".";
            if (!ring.contains("xx"))
                seen.last() += side;
            focused = focused.transformed(QTransform().rotate(90));
            plain = plain.transformed(QTransform().rotate(90));
        }
        QTest::keyClick(control, Qt::Key_Tab);
    }
    return seen.join(' ');
}

class tst_accessibility : public QObject
{
    Q_OBJECT

    std::unique_ptr<TestWorld> world;
    QStringList browsed;

public slots:
    void browse(const QUrl &url) { browsed << url.toString(); } // the desktop's browser

private slots:
    void init() { world = std::make_unique<TestWorld>(); }
    void cleanup() { world.reset(); }

    void spokenCount_data()
    {
        QTest::addColumn<int>("years");
        QTest::addColumn<int>("days");
        QTest::addColumn<qint64>("ms");
        QTest::addColumn<QString>("spoken");
        QTest::newRow("seconds") << 0 << 0 << qint64(10'990) << "0 hours, 0 minutes, 10 seconds";
        QTest::newRow("ones") << 0 << 1 << Hour + Minute + 1'000
                              << "1 day, 1 hour, 1 minute, 1 second";
        QTest::newRow("years") << 2 << 0 << qint64(0)
                               << "2 years, 0 days, 0 hours, 0 minutes, 0 seconds";
    }
    // In words with their units, as speech engines read them.
    void spokenCount()
    {
        QFETCH(int, years);
        QFETCH(int, days);
        QFETCH(qint64, ms);
        QTEST(modStopWatch::FormatCount(years, days, ms).Spoken(), "spoken");
    }

    // A flood of events from the count, or hundredths in its phrase; each command told once as
    // a notification; the compact window of a stopped count saying what it was not handed.
    void countAndCommands()
    {
        frmMain main(world->count, world->preferences);
        main.show();
        told.clear();
        world->count.Start(); // from the desktop, the keyboard on Exit
        QCOMPARE(main.focusWidget(), Control(&main, "cmdStartStop"));
        heard.clear();
        for (int tick = 0; tick < 1000; ++tick)
            world->tick(&main, 10);
        QCOMPARE(heard, QStringList(10, "NameChanged picElapsed"));
        const QString spoken = "0 hours, 0 minutes, 10 seconds";
        QCOMPARE(Node(&main, "picElapsed")->text(QAccessible::Name), spoken);
        QCOMPARE(Node(&main, "picElapsed")->childCount(), 0); // its digits not read one by one
        Click(&main, "cmdSnapshot");
        Click(&main, "cmdSnapshot"); // the same words, told again
        Click(&main, "cmdStartStop");
        WhenModal<frmCompact>(&main, [&](frmCompact *compact) {
            QCOMPARE(Node(compact, "Picture1")->text(QAccessible::Name), spoken);
        });
        Control<QAction>(&main, "mnuCompact")->trigger();
        Click(&main, "cmdReset");
        QCOMPARE(told, QStringList({"Counting", "Snapshot taken: " + spoken,
                                    "Snapshot taken: " + spoken, "Stopped", "Reset to zero"}));
    }

    // The warning told once as it first shows; its blink leaves the focus on the count, and
    // sends no more than two events a second.
    void warningBlinks()
    {
        PreferenceValues values;
        values.strWarningDays = "1";
        QVERIFY(world->preferences.Save(values, nullptr));
        frmMain main(world->count, world->preferences);
        main.show();
        main.activateWindow();
        QTRY_VERIFY(main.isActiveWindow());
        Click(&main, "cmdStartStop");
        Control(&main, "picElapsed")->setFocus();
        world->tick(&main, Day);
        told.clear();
        for (int second = 0; second < 10; ++second) {
            Fire(&main, "tmrWarning");
            if (second == 1)
                heard.clear(); // from the second blink on
            for (int tick = 0; tick < 100; ++tick)
                world->tick(&main, 10);
        }
        QCOMPARE(told, QStringList{Control<QLabel>(&main, "lblWarning")->text()});
        QCOMPARE(QApplication::focusWidget(), Control(&main, "picElapsed"));
        QCOMPARE_LE(heard.size(), 2 * 9);
    }

    // Sessions says the current cell on arrival and after an edit, and Where Am I finds it; the
    // grid follows the keyboard's cell out of sight.
    void sessionsCell()
    {
        QByteArray log;
        for (int row = 0; row < 40; ++row)
            log += "s" + QByteArray::number(row) + ";t;0 years, 0 days, 00:00:01.00\r\n";
        world->writeLog(log);
        frmSessions sessions;
        heard.clear();
        sessions.show();
        sessions.activateWindow();
        QTRY_VERIFY(sessions.isActiveWindow());
        QTRY_COMPARE(heard.filter("Focus ").last(), "Focus grdSessions s0"); // the last word
        auto *grid = Control<QTableView>(&sessions, "grdSessions");
        for (int row = 0; row < 30; ++row)
            QTest::keyClick(grid, Qt::Key_Down);
        QVERIFY(grid->viewport()->rect().contains(grid->visualRect(grid->currentIndex())));
        QTest::keyClick(grid, Qt::Key_F2);
        QTest::keyClicks(Control(&sessions, "Text1"), "x");
        heard.clear();
        QTest::keyClick(Control(&sessions, "Text1"), Qt::Key_Return);
        QTRY_COMPARE(heard.filter("Focus ").last(), "Focus grdSessions s30x");
        QCOMPARE(Node(grid)->focusChild()->text(QAccessible::Name), "s30x");
    }

    // Every window's Tab stops, their names and focus rings; a window misnamed, a link as text.
    void everyWindowByNameAndKeys()
    {
        world->writeLog("s1;t1;0 years, 0 days, 00:00:01.00\r\n");
        world->count.Start();
        world->count.Stop(); // Reset in use
        frmMain main(world->count, world->preferences);
        frmCustomize customize(world->preferences, &main);
        frmHelp help;
        frmCompact compact(world->count);
        frmSessions sessions(&main);
        QCOMPARE(Tour(&main, 6), "cmdExit lblURL cmdStartStop picElapsed cmdSnapshot cmdReset");
        // Enter held down on the web address opens it once.
        for (const bool repeated : {false, true, true}) {
            QKeyEvent press(QEvent::KeyPress, Qt::Key_Return, Qt::NoModifier, QString(), repeated);
            QApplication::sendEvent(Control(&main, "lblURL"), &press);
        }
        QCOMPARE(world->openedUrls.size(), 1);
        QCOMPARE(Tour(&customize, 8),
                 "txtCustomText chkPlaySounds chkDisplayWarnings txtWarningDays "
                 "cmdCancel cmdOK chkKeepCounting chkStartAtLogin");
        QCOMPARE(Tour(&sessions, 4), "grdSessions cmdClearLog cmdClose cmdDeleteRow");
        QCOMPARE(Tour(&help, 3), "cmdClose lblURL lblHelp");
        // Help read as text, line by line, and naming the keys.
        QAccessibleTextInterface *text = Node(&help, "lblHelp")->textInterface();
        QVERIFY(text);
        QVERIFY(text->text(0, text->characterCount()).contains("F10 or ALT+O opens"));
        QCOMPARE(Node(&compact)->text(QAccessible::Name), "Pendrel");
        QCOMPARE(Node(&main, "lblURL")->role(), QAccessible::Link);
        QCOMPARE(Node(&main, "lblWarning")->role(), QAccessible::AlertMessage);
    }

    // Each kind of message box: its icon, default button, plain text, Tab stops and title width;
    // a question stays up until it is answered.
    void messageBoxes()
    {
        QList<QMessageBox::Icon> icons;
        QList<QMessageBox::StandardButton> byDefault;
        QList<Qt::TextFormat> formats;
        QList<bool> staysUp;
        QList<int> widths;
        QStringList iconNames, tabStops;
        MessageBox::setInspector([&](QMessageBox &box) {
            tabStops << Tour(&box, 2);
            widths << box.width();
            QTest::keyClick(&box, Qt::Key_Escape);
            box.close();
            staysUp << box.isVisible();
            icons << box.icon();
            iconNames << Control(&box, "qt_msgboxex_icon_label")->accessibleName();
            byDefault << box.standardButton(box.defaultButton());
            formats << box.textFormat();
            box.buttons().constLast()->click();
        });
        MessageBox::message(nullptr, "Saved");
        MessageBox::error(nullptr, "The session log could not be read.");
        MessageBox::question(nullptr, "<b>Do you want to save the changes you made?</b>");
        using B = QMessageBox;
        QCOMPARE(icons, QList({B::NoIcon, B::Warning, B::NoIcon}));
        QCOMPARE(iconNames, QStringList({"Information", "Warning", "Information"}));
        QCOMPARE(byDefault, QList({B::NoButton, B::NoButton, B::Yes}));
        QCOMPARE(formats, QList<Qt::TextFormat>(3, Qt::PlainText));
        QCOMPARE(tabStops, QStringList({"OK OK", "OK OK", "Yes No"}));
        QCOMPARE(staysUp, QList({false, false, true}));
        QCOMPARE_GE(widths.value(0), 200); // "Pendrel" fits the title bar of a box saying "Saved"
    }

    // Every command by keys, the focus handed back, the compact window's arrows, Close Pendrel.
    void wholeProgramByKeys()
    {
        frmMain main(world->count, world->preferences);
        main.show();
        // The compact window's arrows: held in the corner, then 4 pixels left and 40 up.
        const QString script = R"(
frmMain: cmdExit Tab, lblURL Tab, cmdStartStop Return, cmdStartStop Tab, picElapsed Tab, cmdSnapshot Space,
cmdSnapshot Tab, lblURL Return, lblURL Space, lblURL Tab, cmdStartStop Num+Enter,
cmdStartStop Alt+O; menu: Return; frmCustomize: txtCustomText Return;
frmMain: cmdStartStop F10; menu: Down, Return; frmSessions: grdSessions Esc;
frmMain: cmdStartStop Space, cmdStartStop Alt+O; menu: Down, Down, Return;
frmCompact: Right, Left, Shift+Up, Esc; frmMain: cmdStartStop Alt+O; menu: Up, Up, Return;
frmHelp: cmdClose Tab, lblURL Return, lblURL Tab, lblHelp Tab, cmdClose Space;
frmMain: cmdStartStop Alt+O; menu: Up, Return)";
        QList<QPoint> windowAt;
        QCOMPARE(Type(script, windowAt), QString());
        QVERIFY(world->count.IsRunning());
        QCOMPARE(world->openedUrls, QStringList(3, Maker::Address()));
        QVERIFY(QFile::exists(world->logFile()));
        const QList<QPoint> compactAt = windowAt.mid(23, 4);
        QCOMPARE(compactAt, QList<QPoint>({compactAt[0], compactAt[0], compactAt[0] - QPoint(4, 0),
                                           compactAt[0] - QPoint(4, 40)}));
    }

    // Help's web address, clicked, handed to the desktop's browser as a bare name: it opens
    // nothing.
    void webAddressOpens()
    {
        UrlOpener::SetOpener({}); // the program's own, which TestWorld puts back as it goes
        QDesktopServices::setUrlHandler("http", this, "browse");
        const auto restore = qScopeGuard([] { QDesktopServices::unsetUrlHandler("http"); });
        frmHelp help;
        help.show();
        QTest::mouseClick(Control(&help, "lblURL"), Qt::LeftButton);
        QCOMPARE(browsed, QStringList{"http://" + Maker::Address()});
    }
};

QTEST_MAIN(tst_accessibility)
#include "tst_accessibility.moc"
