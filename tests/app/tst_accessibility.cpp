// What a screen reader hears, and Pendrel by the keyboard alone: the names and roles of every
// window's controls, the events, every command by keys, and a focus one can see.
#include "TestSupport.h"

#include "app/Maker.h"
#include "app/frmMain.h"
#include "compact/frmCompact.h"
#include "help/frmHelp.h"
#include "log/frmSessions.h"
#include "settings/SettingsStore.h"
#include "settings/frmCustomize.h"
#include "ui/Readable.h"

static QStringList heard; // "Event objectName", as the bridge received them

template <typename E> static QString Key(int value) // the name of an enum's value, or values
{
    const QMetaEnum meta = QMetaEnum::fromType<E>();
    const char *key = meta.valueToKey(value);
    return key ? QString(key) : QString(meta.valueToKeys(value));
}

class Recorder : public QAccessibleBridge
{
public:
    void setRootObject(QAccessibleInterface *) override {}
    void notifyAccessibilityUpdate(QAccessibleEvent *event) override
    {
        const QObject *object = event->object();
        heard << Key<QAccessible::Event>(event->type()) + " " +
                     (object ? object->objectName() : QString());
    }
};

// Loaded as the bridge to the screen readers is, so it hears every event that they would.
class RecorderPlugin : public QAccessibleBridgePlugin
{
    Q_OBJECT
    Q_PLUGIN_METADATA(IID "org.qt-project.Qt.QAccessibleBridgeFactoryInterface" FILE
                          "recorder.json")

public:
    // The toolkit keeps its bridges to the end and never deletes them.
    QAccessibleBridge *create(const QString &) override
    {
        static Recorder recorder;
        return &recorder;
    }
};
Q_IMPORT_PLUGIN(RecorderPlugin)

static QAccessibleInterface *Node(const QObject *window, const char *name)
{
    return QAccessible::queryAccessibleInterface(Control(window, name));
}

static QString Said(const QObject *window, const char *name, QAccessible::Text text)
{
    return Node(window, name)->text(text);
}

// Each control of `window` that takes the focus or shows something, with no name or a role that
// says nothing: in its tree, and off it, such as an editor laid over a grid's cell.
static QStringList Unnamed(QWidget *window)
{
    using R = QAccessible::Role;
    static const QList<R> showing = {R::StaticText,   R::Graphic,      R::Link,  R::Cell,
                                     R::ColumnHeader, R::EditableText, R::Table, R::AlertMessage,
                                     R::Window,       R::Dialog};
    static const QList<R> vague = {R::NoRole, R::Client, R::Border, R::Pane, R::Clock};
    QStringList faults;
    QSet<const QObject *> seen;
    const auto check = [&](QAccessibleInterface *node, const QString &name) {
        seen.insert(node->object());
        const QAccessible::State state = node->state();
        if (!state.invisible && (state.focusable || showing.contains(node->role())) &&
            (node->text(QAccessible::Name).trimmed().isEmpty() || vague.contains(node->role())))
            faults << Key<QAccessible::Role>(node->role()) + " " + name;
    };
    std::function<void(QAccessibleInterface *, const QString &)> walk;
    walk = [&](QAccessibleInterface *node, const QString &where) {
        const QObject *object = node->object();
        const QString name =
            object && !object->objectName().isEmpty() ? object->objectName() : where + "/?";
        check(node, name);
        for (int i = 0; i < node->childCount(); ++i)
            walk(node->child(i), name);
    };
    walk(QAccessible::queryAccessibleInterface(window), QString());
    for (QWidget *widget : window->findChildren<QWidget *>()) {
        if ((widget->focusPolicy() & Qt::TabFocus) && !seen.contains(widget))
            check(QAccessible::queryAccessibleInterface(widget), widget->objectName());
    }
    return faults;
}

// Where the keys go: an open menu, else the focused control, else the active window.
static QWidget *Focused()
{
    if (QWidget *menu = QApplication::activePopupWidget())
        return menu;
    if (QWidget *control = QApplication::focusWidget())
        return control;
    return QApplication::activeWindow();
}

// "window/control", "window" where the window itself has the keys, or "menu".
static QString At()
{
    const QWidget *widget = Focused();
    if (!widget || widget->windowType() == Qt::Popup)
        return widget ? "menu" : "nowhere";
    const QString window = widget->window()->objectName();
    return widget->isWindow() ? window : window + "/" + widget->objectName();
}

// Types `script`, lines of "window: control key, control key..." ("key" where the window has the
// keys), each key once the keyboard is at its control, from the event loop so that modal windows
// run their own. Notes where the window stands at each key; returns what went wrong, and the
// windows left open at the end.
static QString Type(const QString &script, QList<QPoint> &windowAt)
{
    QStringList steps; // "where key"
    for (const QString &line : script.trimmed().split('\n')) {
        const QString window = line.section(": ", 0, 0);
        for (const QString &step : line.section(": ", 1).split(", "))
            steps << (step.contains(' ') ? window + "/" + step : window + " " + step);
    }
    QString fault;
    int next = 0, turns = 0;
    QEventLoop walked;
    QObject context;
    std::function<void()> turn = [&] {
        const QString at = steps.value(next).section(' ', 0, 0);
        if (next < steps.size() && At() != at && ++turns < 100) {
            QTimer::singleShot(0, &context, turn); // the keyboard may not be there yet
            return;
        }
        if (next == steps.size() || turns == 100) {
            if (next < steps.size())
                fault =
                    QString("before key %1 the keyboard is at %2, not %3").arg(next).arg(At(), at);
            for (const QWidget *window : QApplication::topLevelWidgets()) {
                if (window->isVisible())
                    fault += QString(" left open: ") + window->metaObject()->className();
            }
            QApplication::closeAllWindows();
            walked.quit();
            return;
        }
        const QKeyCombination key = QKeySequence::fromString(steps[next++].section(' ', 1))[0];
        turns = 0;
        windowAt << Focused()->window()->pos();
        QTimer::singleShot(0, &context, turn);
        QTest::keyClick(Focused(), key.key(), key.keyboardModifiers());
    };
    QTimer::singleShot(0, &context, turn);
    walked.exec();
    return fault;
}

// The sides of the focus ring around `widget` that are not two pixels or more standing out at
// 3:1 from what those pixels show without the focus.
static QString WeakSides(QWidget *widget)
{
    QWidget *window = widget->window();
    const QRect area =
        QRect(widget->mapTo(window, QPoint(0, 0)), widget->size()).adjusted(-4, -4, 4, 4) &
        window->rect();
    const QImage focused = window->grab(area).toImage();
    widget->clearFocus();
    const QImage plain = window->grab(area).toImage();
    widget->setFocus(Qt::TabFocusReason);
    const int w = area.width(), h = area.height();
    const std::tuple<const char *, QPoint, QPoint> sides[] = {{" left", {0, h / 2}, {1, 0}},
                                                              {" right", {w - 1, h / 2}, {-1, 0}},
                                                              {" top", {w / 2, 0}, {0, 1}},
                                                              {" bottom", {w / 2, h - 1}, {0, -1}}};
    QString weak;
    for (const auto &[side, from, step] : sides) {
        QString seen; // from the outside in, "x" where the ring stands out
        for (QPoint p = from; seen.size() < 8; p += step)
            seen += Readable::Contrast(focused.pixel(p), plain.pixel(p)) >= 3 ? "x" : ".";
        if (!seen.contains("xx"))
            weak += side;
    }
    return weak;
}

// Tabs through `stops` controls of the active window from its focus, noting each control's
// name and the sides of its ring that can't be seen.
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
        QString name = control->objectName();
        if (auto *button = qobject_cast<QAbstractButton *>(control); name.isEmpty() && button)
            name = button->text().remove('&');
        seen << name + WeakSides(control);
        QTest::keyClick(control, Qt::Key_Tab);
    }
    return seen.join(' ');
}

class tst_accessibility : public QObject
{
    Q_OBJECT

    std::unique_ptr<TestWorld> world;

    // Ten seconds of running, ticked as the windows' timers tick while they run.
    void runTenSeconds(std::initializer_list<QWidget *> windows)
    {
        heard.clear();
        for (int tick = 0; tick < 1000; ++tick) {
            world->clock.advance(10);
            for (QWidget *window : windows) {
                if (IsActive(window, "timDisplay"))
                    Fire(window, "timDisplay");
            }
        }
    }

private slots:
    void init() { world = std::make_unique<TestWorld>(); }
    void cleanup() { world.reset(); }

    // A flood of events from the count's labels, a phrase that changes with the hundredths, the
    // labels left in the tree; a snapshot or a warning told never, twice, or told as done when
    // the log line failed; the compact window or the hidden main window sending as well.
    void countSnapshotAndWarning()
    {
        SettingsStore::SaveSetting(SettingsStore::SectionSettings, SettingsStore::KeyWarningDays,
                                   "1");
        frmMain main(world->count, world->preferences);
        main.show();
        Click(&main, "cmdStartStop");
        runTenSeconds({&main});
        QCOMPARE(heard, QStringList(10, "NameChanged picElapsed"));
        QCOMPARE(Said(&main, "picElapsed", QAccessible::Name), "0 years, 0 days, 00:00:10");
        QCOMPARE(Node(&main, "picElapsed")->childCount(), 0);
        heard.clear();
        Click(&main, "cmdSnapshot");
        Click(&main, "cmdSnapshot"); // the same words, told again
        QCOMPARE(heard, QStringList(2, "DescriptionChanged cmdSnapshot"));
        QCOMPARE(Said(&main, "cmdSnapshot", QAccessible::Description),
                 "Snapshot taken: 0 years, 0 days, 00:00:10");
        QDir folder(world->programFolder()); // a folder where the log was: no line can be added
        QVERIFY(folder.remove("SessionLog.txt"));
        QVERIFY(folder.mkdir("SessionLog.txt"));
        heard.clear();
        Click(&main, "cmdSnapshot");
        QCOMPARE(heard, QStringList());
        QCOMPARE(MessageBox::history().size(), 1);
        QVERIFY(MessageBox::history()[0].text.contains(world->logFile()));

        world->tick(&main, Day + Hour); // the day rolls over and arms the warning
        heard.clear();
        world->clock.advance(3'000);
        for (int blink = 0; blink < 3; ++blink)
            Fire(&main, "tmrWarning");
        QCOMPARE(heard.filter("Alert"), QStringList{"Alert lblWarning"});
        WhenModal<frmCompact>(&main, [&](frmCompact *compact) {
            QCOMPARE(Said(compact, "Picture1", QAccessible::Name), "0 years, 1 day, 01:00:13");
            runTenSeconds({&main, compact});
            QCOMPARE(heard, QStringList(10, "NameChanged Picture1"));
        });
        Control<QAction>(&main, "mnuCompact")->trigger();
        Click(&main, "cmdStartStop"); // stopped: the compact window shows what it is handed
        WhenModal<frmCompact>(&main, [&](frmCompact *compact) {
            QCOMPARE(Said(compact, "Picture1", QAccessible::Name), "0 years, 1 day, 01:00:23");
        });
        Control<QAction>(&main, "mnuCompact")->trigger();
    }

    // Every window and message box: Tab stops missing or out of order, a focus ring too thin,
    // faint, cut or waiting for the first Tab; unnamed controls; a link or warning read as plain
    // text; message boxes with another title, icon, buttons or default, or text read as markup.
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
        QCOMPARE(Tour(&main, 6), "cmdExit cmdReset cmdStartStop picElapsed cmdSnapshot lblURL");
        QCOMPARE(Tour(&customize, 6), "txtCustomText cmdCancel cmdOK chkPlaySounds "
                                      "txtWarningDays chkDisplayWarnings");
        QCOMPARE(Tour(&sessions, 4), "grdSessions cmdClearLog cmdClose cmdDeleteRow");
        QCOMPARE(Tour(&help, 2), "cmdClose lblURL");
        compact.show();
        auto *grid = Control<QTableView>(&sessions, "grdSessions");
        grid->setCurrentIndex(grid->model()->index(0, 3)); // an empty comment, in the editor
        QTest::keyClick(grid, Qt::Key_F2);
        for (QWidget *window :
             std::initializer_list<QWidget *>{&main, &customize, &help, &compact, &sessions})
            QCOMPARE(window->objectName() + Unnamed(window).join(", "), window->objectName());
        QCOMPARE(Node(&main, "lblURL")->role(), QAccessible::Link);
        QCOMPARE(Node(&main, "lblWarning")->role(), QAccessible::AlertMessage);
        QCOMPARE(Node(&help, "lblURL")->role(), QAccessible::Link);
        QCOMPARE(Said(&main, "lblURL", QAccessible::Name), Texts(&main, {"lblURL"}));
        QCOMPARE(Said(&customize, "txtWarningDays", QAccessible::Name), "Display warning every");
        QCOMPARE(QAccessible::queryAccessibleInterface(&compact)->text(QAccessible::Name),
                 "Pendrel");

        // Title, icon and its name, buttons, default button, text format, Tab stops, and
        // whether Escape and the close box leave it up: a question must be answered.
        QStringList boxes;
        MessageBox::setInspector([&](QMessageBox &box) {
            const QString tour = Tour(&box, 2);
            QTest::keyClick(&box, Qt::Key_Escape);
            box.close();
            const auto *icon = box.findChild<QLabel *>("qt_msgboxex_icon_label");
            boxes << QString("%1 %2 %3 %4 %5 %6 %7%8 %9")
                         .arg(box.windowTitle(), Key<QMessageBox::Icon>(box.icon()),
                              icon ? icon->accessibleName() : "-",
                              Key<QMessageBox::StandardButtons>(box.standardButtons().toInt()),
                              Key<QMessageBox::StandardButtons>(
                                  box.standardButton(box.defaultButton())),
                              Key<Qt::TextFormat>(box.textFormat()), tour, Unnamed(&box).join(' '),
                              box.isVisible() ? "up" : "gone");
            box.buttons().constLast()->click();
        });
        MessageBox::information(&main, "Saved.");
        MessageBox::error(&main, "The session log could not be read.");
        QCOMPARE(MessageBox::question(&main, "<b>Do you want to save the changes you made?</b>"),
                 MessageBox::No);
        QCOMPARE(boxes,
                 QStringList({"Pendrel Information Information Ok NoButton PlainText OK OK gone",
                              "Pendrel Warning Warning Ok NoButton PlainText OK OK gone",
                              "Pendrel NoIcon Information Yes|No Yes PlainText Yes No up"}));
    }

    // A control out of reach, a key that does nothing, a window that keeps the focus when it's
    // gone or leaves none to the main window, an arrow that moves the compact window off the
    // work area; "Close Pendrel" that leaves the main window open while the count runs.
    void wholeProgramByKeys()
    {
        frmMain main(world->count, world->preferences);
        main.show();
        // The compact window's arrows: held in the corner, then 4 pixels left and 40 up.
        const QString script = R"(
frmMain: cmdExit Tab, cmdStartStop Return, cmdStartStop Tab, picElapsed Tab, cmdSnapshot Space
frmMain: cmdSnapshot Tab, lblURL Return, lblURL Space, lblURL Tab, cmdStartStop Num+Enter
frmMain: cmdStartStop Alt+O
menu: Return
frmCustomize: txtCustomText Tab, cmdCancel Tab, cmdOK Num+Enter
frmMain: cmdStartStop F10
menu: Down, Return
frmSessions: grdSessions Esc
frmMain: cmdStartStop Space, cmdStartStop Alt+O
menu: Down, Down, Return
frmCompact: Right, Left, Shift+Up, Esc
frmMain: cmdStartStop Alt+O
menu: Up, Up, Return
frmHelp: cmdClose Tab, lblURL Return, lblURL Esc
frmMain: cmdStartStop Alt+O
menu: Up, Return)";
        QList<QPoint> windowAt;
        QCOMPARE(Type(script, windowAt), QString());
        QVERIFY(world->count.IsRunning());
        QCOMPARE(world->openedUrls, QStringList(3, Maker::Address()));
        QVERIFY(QFile::exists(QDir(world->programFolder()).filePath("SessionLog.txt")));
        const QList<QPoint> compactAt = windowAt.mid(24, 4);
        QCOMPARE(compactAt, QList<QPoint>({compactAt[0], compactAt[0], compactAt[0] - QPoint(4, 0),
                                           compactAt[0] - QPoint(4, 40)}));
    }
};

QTEST_MAIN(tst_accessibility)
#include "tst_accessibility.moc"
