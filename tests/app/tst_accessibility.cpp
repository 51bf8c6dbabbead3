// What a screen reader hears: the names and roles of every window's controls, and the events.
#include "TestSupport.h"

#include "app/frmMain.h"
#include "compact/frmCompact.h"
#include "help/frmHelp.h"
#include "log/frmSessions.h"
#include "settings/SettingsStore.h"
#include "settings/frmCustomize.h"

#include <QAccessibleBridgePlugin>
#include <QAction>
#include <QMessageBox>
#include <QMetaEnum>
#include <QTableView>
#include <QtTest>

static QStringList heard; // "Event objectName", as the bridge received them

class Recorder : public QAccessibleBridge
{
public:
    void setRootObject(QAccessibleInterface *) override {}
    void notifyAccessibilityUpdate(QAccessibleEvent *event) override
    {
        const QObject *object = event->object();
        heard << QString(QMetaEnum::fromType<QAccessible::Event>().valueToKey(event->type())) +
                     " " + (object ? object->objectName() : QString());
    }
};

// Loaded by the toolkit as it loads the bridge to the desktop's screen readers, so it hears
// every event that they would.
class RecorderPlugin : public QAccessibleBridgePlugin
{
    Q_OBJECT
    Q_PLUGIN_METADATA(IID "org.qt-project.Qt.QAccessibleBridgeFactoryInterface" FILE
                          "recorder.json")

public:
    QAccessibleBridge *create(const QString &) override { return new Recorder; }
};
Q_IMPORT_PLUGIN(RecorderPlugin)

static QString RoleName(QAccessible::Role role)
{
    return QMetaEnum::fromType<QAccessible::Role>().valueToKey(role);
}

// Each control of `window` that takes the focus or shows something and has no name, or a role
// that says nothing: in its tree, and off it, such as an editor laid over a grid's cell, which
// assistive tools meet when it takes the focus.
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
            faults << RoleName(node->role()) + " " + name;
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
    const auto widgets = window->findChildren<QWidget *>();
    for (QWidget *widget : widgets) {
        if ((widget->focusPolicy() & Qt::TabFocus) && !seen.contains(widget))
            check(QAccessible::queryAccessibleInterface(widget), widget->objectName());
    }
    return faults;
}

static QString Said(const char *name, const QWidget *window, QAccessible::Text text)
{
    return QAccessible::queryAccessibleInterface(Control(window, name))->text(text);
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
    // labels left in the tree, the compact window or the hidden main window sending as well.
    void countIsOneObject()
    {
        frmMain main(world->count, world->preferences);
        main.show();
        Click(&main, "cmdStartStop");
        runTenSeconds({&main});
        QCOMPARE(heard, QStringList(10, "NameChanged picElapsed"));
        QCOMPARE(Said("picElapsed", &main, QAccessible::Name), "0 years, 0 days, 00:00:10");
        QCOMPARE(QAccessible::queryAccessibleInterface(Control(&main, "picElapsed"))->childCount(),
                 0);

        world->clock.advance(86'400'000 + 3'600'000); // a day and an hour later
        WhenModal<frmCompact>(&main, [&](frmCompact *compact) {
            QCOMPARE(Said("Picture1", compact, QAccessible::Name), "0 years, 1 day, 01:00:10");
            runTenSeconds({&main, compact});
            QCOMPARE(heard, QStringList(10, "NameChanged Picture1"));
        });
        Control<QAction>(&main, "mnuCompact")->trigger();
        Click(&main, "cmdStartStop"); // stopped: the compact window shows what it is handed
        WhenModal<frmCompact>(&main, [&](frmCompact *compact) {
            QCOMPARE(Said("Picture1", compact, QAccessible::Name), "0 years, 1 day, 01:00:20");
        });
        Control<QAction>(&main, "mnuCompact")->trigger();
    }

    // Unnamed text boxes, panel, grid, cells or editor; a link or warning that reads as plain text.
    void everyControlIsNamed()
    {
        frmMain main(world->count, world->preferences);
        main.show();
        QCOMPARE(Unnamed(&main), QStringList());
        const auto role = [&](QWidget *window, const char *name) {
            return RoleName(QAccessible::queryAccessibleInterface(Control(window, name))->role());
        };
        QCOMPARE(role(&main, "lblURL") + " " + role(&main, "lblWarning"), "Link AlertMessage");
        QCOMPARE(Said("lblURL", &main, QAccessible::Name), Texts(&main, {"lblURL"}));
        frmCustomize customize(world->preferences, &main);
        customize.show();
        QCOMPARE(Unnamed(&customize), QStringList());
        QCOMPARE(Said("txtWarningDays", &customize, QAccessible::Name), "Display warning every");
        frmHelp help;
        help.show();
        QCOMPARE(Unnamed(&help), QStringList());
        QCOMPARE(role(&help, "lblURL"), "Link");
        frmCompact compact(world->count);
        compact.show();
        QCOMPARE(Unnamed(&compact), QStringList());
        QCOMPARE(QAccessible::queryAccessibleInterface(&compact)->text(QAccessible::Name),
                 "Pendrel");

        QFile log(QDir(world->programFolder()).filePath("SessionLog.txt"));
        QVERIFY(log.open(QIODevice::WriteOnly));
        log.write("s1;t1;0 years, 0 days, 00:00:01.00\r\n");
        log.close();
        frmSessions sessions;
        sessions.show();
        auto *grid = Control<QTableView>(&sessions, "grdSessions");
        grid->setCurrentIndex(grid->model()->index(0, 3)); // an empty comment, in the editor
        QTest::keyClick(grid, Qt::Key_F2);
        QCOMPARE(Unnamed(&sessions), QStringList());

        MessageBox::setTestMode(false);
        QStringList faults;
        const auto inspect = [&] {
            WhenModal<QMessageBox>(&main, [&](QMessageBox *box) { faults << Unnamed(box); });
        };
        inspect();
        MessageBox::error(&main, "The session log could not be read.");
        inspect();
        MessageBox::question(&main, "Do you want to save the changes you made?");
        QCOMPARE(faults, QStringList());
    }

    // A snapshot or warning told never, twice, or told as done when the log line failed.
    void snapshotAndWarningAreTold()
    {
        SettingsStore::SaveSetting(SettingsStore::SectionSettings, SettingsStore::KeyWarningDays,
                                   "1");
        frmMain main(world->count, world->preferences);
        main.show();
        Click(&main, "cmdStartStop");
        world->clock.advance(5'000);
        Fire(&main, "timDisplay");
        for (int snapshot = 0; snapshot < 2; ++snapshot) { // the same words, told again
            heard.clear();
            Click(&main, "cmdSnapshot");
            QCOMPARE(heard, QStringList{"DescriptionChanged cmdSnapshot"});
        }
        QCOMPARE(Said("cmdSnapshot", &main, QAccessible::Description),
                 "Snapshot taken: 0 years, 0 days, 00:00:05");
        QDir folder(world->programFolder()); // a folder where the log was: no line can be added
        QVERIFY(folder.remove("SessionLog.txt") && folder.mkdir("SessionLog.txt"));
        heard.clear();
        Click(&main, "cmdSnapshot");
        QCOMPARE(heard, QStringList());
        QCOMPARE(MessageBox::history().size(), 1);

        world->clock.advance(86'400'000);
        Fire(&main, "timDisplay"); // the day rolls over and arms the warning
        heard.clear();
        for (int blink = 0; blink < 3; ++blink) {
            world->clock.advance(1'000);
            Fire(&main, "tmrWarning");
        }
        QCOMPARE(heard.filter("Alert"), QStringList{"Alert lblWarning"});
    }
};

QTEST_MAIN(tst_accessibility)
#include "tst_accessibility.moc"
