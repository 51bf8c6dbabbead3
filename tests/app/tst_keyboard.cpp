// Pendrel by the keyboard alone: every command, every window and back, and a focus one can see.
#include "TestSupport.h"

#include "app/frmMain.h"
#include "help/frmHelp.h"
#include "log/frmSessions.h"
#include "settings/frmCustomize.h"
#include "ui/Maker.h"

#include <QMessageBox>
#include <QtTest>

// Where the keys go: an open menu, else the focused control, else the active window.
static QWidget *Focused()
{
    if (QWidget *menu = QApplication::activePopupWidget())
        return menu;
    if (QWidget *control = QApplication::focusWidget())
        return control;
    return QApplication::activeWindow();
}

static QString At() // "window/control"
{
    const QWidget *widget = Focused();
    if (!widget)
        return "nowhere";
    return widget->window()->objectName() + "/" + widget->objectName();
}

struct Step {
    QString at; // where the keyboard must be before the key
    int key;
    Qt::KeyboardModifiers modifiers = {};
    std::function<void()> before = {};
};

// Types the steps from the event loop, each once the keyboard is where it expects: a key that
// opens a modal window hands on to the next step inside that window's own loop. Returns what
// went wrong, if anything.
static QString Type(const std::vector<Step> &steps)
{
    QString fault;
    size_t next = 0;
    int turns = 0;
    QEventLoop walked;
    QObject context;
    std::function<void()> turn = [&] {
        if (next == steps.size()) {
            walked.quit();
            return;
        }
        const Step &step = steps[next];
        if (At() != step.at) {
            if (++turns < 100) {
                QTimer::singleShot(0, &context, turn);
                return;
            }
            fault =
                QString("before key %1 the keyboard is at %2, not %3").arg(next).arg(At(), step.at);
            QApplication::closeAllWindows();
            walked.quit();
            return;
        }
        turns = 0;
        ++next;
        if (step.before)
            step.before();
        QTimer::singleShot(0, &context, turn);
        QTest::keyClick(Focused(), Qt::Key(step.key), step.modifiers);
    };
    QTimer::singleShot(0, &context, turn);
    walked.exec();
    return fault;
}

static double Luminance(QRgb rgb)
{
    const auto linear = [](int channel) {
        const double c = channel / 255.0;
        if (c <= 0.04045)
            return c / 12.92;
        return std::pow((c + 0.055) / 1.055, 2.4);
    };
    return 0.2126 * linear(qRed(rgb)) + 0.7152 * linear(qGreen(rgb)) + 0.0722 * linear(qBlue(rgb));
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
    const auto strong = [&](QPoint p) {
        const double a = Luminance(focused.pixel(p)), b = Luminance(plain.pixel(p));
        return (std::max(a, b) + 0.05) / (std::min(a, b) + 0.05) >= 3.0;
    };
    const int w = area.width(), h = area.height();
    const std::tuple<const char *, QPoint, QPoint> sides[] = {{" left", {0, h / 2}, {1, 0}},
                                                              {" right", {w - 1, h / 2}, {-1, 0}},
                                                              {" top", {w / 2, 0}, {0, 1}},
                                                              {" bottom", {w / 2, h - 1}, {0, -1}}};
    QString weak;
    for (const auto &[side, from, step] : sides) {
        int run = 0;
        QPoint p = from;
        for (int i = 0; i < 8 && run < 2; ++i) {
            if (strong(p))
                ++run;
            else if (run)
                break;
            p += step;
        }
        if (run < 2)
            weak += side;
    }
    return weak;
}

class tst_keyboard : public QObject
{
    Q_OBJECT

    std::unique_ptr<TestWorld> world;

    // Tabs through `stops` controls of the active window from its focus, noting each control's
    // name and the sides of its ring that can't be seen.
    static QString Tour(int stops)
    {
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
    static void Activate(QWidget *window)
    {
        window->show();
        window->activateWindow();
        QCoreApplication::processEvents();
    }

private slots:
    void init() { world = std::make_unique<TestWorld>(); }
    void cleanup() { world.reset(); }

    // A control out of reach, a key that does nothing, a window that keeps the focus when it's
    // gone or leaves none to the main window, an arrow that moves the compact window off screen.
    void wholeProgramByKeys()
    {
        frmMain main(world->count, world->preferences);
        main.show();
        QList<QPoint> compactAt;
        const auto whereCompact = [&] { compactAt << QApplication::activeWindow()->pos(); };
        const QString menu = "mnuOptions/mnuOptions", compact = "frmCompact/frmCompact";
        const QString error = Type({
            {"frmMain/cmdExit", Qt::Key_Tab},
            {"frmMain/cmdStartStop", Qt::Key_Space}, // Start
            {"frmMain/cmdStartStop", Qt::Key_Tab},
            {"frmMain/picElapsed", Qt::Key_Tab},
            {"frmMain/cmdSnapshot", Qt::Key_Space},
            {"frmMain/cmdSnapshot", Qt::Key_Tab},
            {"frmMain/lblURL", Qt::Key_Return},
            {"frmMain/lblURL", Qt::Key_Space},
            {"frmMain/lblURL", Qt::Key_Tab},         // Exit and Reset are out of use while running
            {"frmMain/cmdStartStop", Qt::Key_Space}, // Stop
            {"frmMain/cmdStartStop", Qt::Key_O, Qt::AltModifier},
            {menu, Qt::Key_Return}, // Customize
            {"frmCustomize/txtCustomText", Qt::Key_Escape},
            {"frmMain/cmdStartStop", Qt::Key_F10},
            {menu, Qt::Key_Down},
            {menu, Qt::Key_Return}, // Sessions
            {"frmSessions/grdSessions", Qt::Key_Escape},
            {"frmMain/cmdStartStop", Qt::Key_O, Qt::AltModifier},
            {menu, Qt::Key_Down},
            {menu, Qt::Key_Down},
            {menu, Qt::Key_Return}, // Compact, in the corner of the work area
            {compact, Qt::Key_Right, {}, whereCompact},
            {compact, Qt::Key_Left, {}, whereCompact},
            {compact, Qt::Key_Up, Qt::ShiftModifier, whereCompact},
            {compact, Qt::Key_Escape, {}, whereCompact},
            {"frmMain/cmdStartStop", Qt::Key_O, Qt::AltModifier},
            {menu, Qt::Key_Up}, // round to the last item
            {menu, Qt::Key_Up},
            {menu, Qt::Key_Return}, // Help
            {"frmHelp/cmdClose", Qt::Key_Tab},
            {"frmHelp/lblURL", Qt::Key_Return},
            {"frmHelp/lblURL", Qt::Key_Escape},
            {"frmMain/cmdStartStop", Qt::Key_O, Qt::AltModifier},
            {menu, Qt::Key_Up},
            {menu, Qt::Key_Return}, // Close Pendrel
        });
        QCOMPARE(error, QString());
        QVERIFY(!main.isVisible());
        QCOMPARE(world->openedUrls, QStringList(3, Maker::Address()));
        QVERIFY(world->count.CanReset());
        QVERIFY(QFile::exists(QDir(world->programFolder()).filePath("SessionLog.txt")));
        QCOMPARE(compactAt.size(), 4);
        QCOMPARE(compactAt[1] - compactAt[0], QPoint(0, 0)); // held in the corner
        QCOMPARE(compactAt[2] - compactAt[1], QPoint(-4, 0));
        QCOMPARE(compactAt[3] - compactAt[2], QPoint(0, -40));
    }

    // A ring too thin, too faint, cut by the window's edge, or waiting for the first Tab; a Tab
    // stop missing.
    void focusRingOnEveryTabStop()
    {
        world->count.Start();
        world->count.Stop(); // Reset in use
        frmMain main(world->count, world->preferences);
        Activate(&main);
        QCOMPARE(Tour(6), "cmdExit cmdReset cmdStartStop picElapsed cmdSnapshot lblURL");
        frmCustomize customize(world->preferences, &main);
        Activate(&customize);
        QCOMPARE(Tour(6), "txtCustomText cmdCancel cmdOK chkPlaySounds txtWarningDays "
                          "chkDisplayWarnings");
        frmSessions sessions(&main);
        Activate(&sessions);
        QCOMPARE(Tour(4), "grdSessions cmdClearLog cmdClose cmdDeleteRow");
        frmHelp help;
        Activate(&help);
        QCOMPARE(Tour(2), "cmdClose lblURL");
        MessageBox::setTestMode(false);
        QString box;
        WhenModal<QMessageBox>(&main, [&](QMessageBox *shown) {
            Activate(shown);
            box = Tour(2);
        });
        MessageBox::question(&main, "Do you want to save the changes you made?");
        QCOMPARE(box, "Yes No");
    }
};

QTEST_MAIN(tst_keyboard)
#include "tst_keyboard.moc"
