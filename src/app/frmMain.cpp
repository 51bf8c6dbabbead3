#include "app/frmMain.h"

#include "app/Maker.h"
#include "clock/CountDisplay.h"
#include "clock/StopWatch.h"
#include "compact/frmCompact.h"
#include "desktop/ScreenLock.h"
#include "help/frmHelp.h"
#include "log/SessionLog.h"
#include "log/frmSessions.h"
#include "settings/Preferences.h"
#include "settings/SettingsStore.h"
#include "settings/frmCustomize.h"
#include "ui/Accessibility.h"
#include "ui/Design.h"
#include "ui/MessageBox.h"
#include "ui/UrlOpener.h"
#include "ui/WindowFrame.h"
#include "ui_frmMain.h"

#include <QApplication>
#include <QDateTime>
#include <QDir>
#include <QLayout>
#include <QPointer>
#include <QShortcut>
#include <QTimer>

using namespace modStopWatch;

namespace {
const QColor PanelColour(0xFF, 0xC0, 0xC0);
// In the design's face the digits stand 19 px below the top of the big labels, which the panel
// cuts 12 px down: 7 px of pink above them.
constexpr int DesignDigitTop = 19;
} // namespace

frmMain::frmMain(StopWatch &count, Preferences &preferences, QWidget *parent)
    : QMainWindow(parent)
    , ui(std::make_unique<Ui::frmMain>())
    , m_count(count)
    , m_preferences(preferences)
{
    LoadDesign(*ui, this, ":/ui/pendrel.png");
    Accessibility::MakeLink(ui->lblURL, [this] { lblURL_Click(); });
    ui->lblURL->setText(Maker::Address());
    setWindowFlags(Qt::Window | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                   Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint);
    layout()->setSizeConstraint(QLayout::SetFixedSize);
    KeepDesignSize(this);

    // The picture is larger than the client area and is simply cut at its right and bottom.
    QPalette background = ui->centralwidget->palette();
    background.setBrush(QPalette::Window,
                        QBrush(DesignImage(QStringLiteral(":/ui/background.png"))));
    // Text on the picture keeps a light scheme's colour, whatever the desktop's scheme.
    background.setColor(QPalette::WindowText, Qt::black);
    ui->centralwidget->setPalette(background);
    ui->centralwidget->setAutoFillBackground(true);
    ui->picElapsed->setAutoFillBackground(true);
    SetDisplayColours(Qt::black, PanelColour);
    for (QLabel *label : {ui->lblHours, ui->lblMinutes, ui->lblSeconds, ui->lblSecHundreds})
        PlaceDigitTops(label, DesignDigitTop);

    m_timDisplay = MakeTimer("timDisplay", 10, &frmMain::timDisplay_Timer);
    m_timDisplay->setTimerType(Qt::PreciseTimer);
    m_tmrSnapshot = MakeTimer("tmrSnapshot", 100, &frmMain::tmrSnapshot_Timer);
    m_tmrWarning = MakeTimer("tmrWarning", 1000, &frmMain::tmrWarning_Timer);

    connect(ui->cmdStartStop, &QPushButton::clicked, this, &frmMain::cmdStartStop_Click);
    connect(ui->cmdReset, &QPushButton::clicked, this, &frmMain::cmdReset_Click);
    connect(ui->cmdSnapshot, &QPushButton::clicked, this, &frmMain::cmdSnapshot_Click);
    connect(ui->cmdExit, &QPushButton::clicked, this, &frmMain::cmdExit_Click);
    connect(ui->mnuCustomize, &QAction::triggered, this, &frmMain::mnuCustomize_Click);
    connect(ui->mnuSessions, &QAction::triggered, this, &frmMain::mnuSessions_Click);
    connect(ui->mnuCompact, &QAction::triggered, this, &frmMain::mnuCompact_Click);
    connect(ui->mnuHelp, &QAction::triggered, this, &frmMain::mnuHelp_Click);
    connect(ui->mnuClose, &QAction::triggered, this, &frmMain::mnuClose_Click);
    Accessibility::SpeakAsOne(ui->picElapsed);
    Accessibility::SetRole(ui->lblWarning, QAccessible::AlertMessage);
    // Alt+O opens Options, and so does F10, as on other desktops.
    Accessibility::HideAccessKeys(ui->menubar);
    connect(new QShortcut(Qt::Key_F10, this), &QShortcut::activated, this, [this] {
        ui->menubar->setActiveAction(ui->mnuOptions->menuAction());
        ui->mnuOptions->setActiveAction(ui->mnuCustomize);
    });

    // The count says what changed; this window shows it.
    connect(&m_count, &StopWatch::runningChanged, this, [this] {
        ShowButtons();
        ShowCount();
        SyncDisplayTimer();
        Accessibility::Tell(this, m_count.IsRunning() ? QStringLiteral("Counting")
                                                      : QStringLiteral("Stopped"));
    });
    connect(&m_count, &StopWatch::wasReset, this, [this] {
        ShowButtons();
        ShowCount();
        Accessibility::Tell(this, QStringLiteral("Reset to zero"));
    });
    // Rolled over by the count's own timer, or at once when this window shows again.
    connect(&m_count, &StopWatch::dayRolledOver, this, &frmMain::ShowCount);
    connect(&m_count, &StopWatch::warningArmed, this, &frmMain::ArmWarning);
    connect(&m_preferences, &Preferences::changed, this, &frmMain::ApplyPreferences);
    if (ScreenLock *lock = ScreenLock::Current())
        connect(lock, &ScreenLock::lockedChanged, this, &frmMain::SyncDisplayTimer);

    Form_Load();
    ui->cmdExit->setFocus();

    adjustSize();
    CentreOnScreen(this);
}

frmMain::~frmMain() = default;

QTimer *frmMain::MakeTimer(const char *name, int intervalMs, void (frmMain::*handler)())
{
    auto *timer = new QTimer(this);
    timer->setObjectName(QLatin1String(name));
    timer->setInterval(intervalMs);
    connect(timer, &QTimer::timeout, this, handler);
    return timer;
}

// The count comes in never started, with no days and no years: it is the program's own.
void frmMain::Form_Load()
{
    LoadSettings();
    ShowButtons();
    ShowCount();
}

void frmMain::LoadSettings()
{
    m_preferences.Load();
}

void frmMain::ApplyPreferences()
{
    const PreferenceValues &values = m_preferences.Values();
    ui->lblCustomText->setText(values.strCustomText);
    m_count.SetWarningRule({values.intWarningDays(), values.blnDisplayWarnings});
    // Switched off, the warning goes at once, blinking or not.
    if (!values.blnDisplayWarnings && m_tmrWarning->isActive()) {
        m_tmrWarning->stop();
        ShowWarningInstead(false);
    }
}

void frmMain::ShowButtons()
{
    const bool running = m_count.IsRunning();
    ui->cmdStartStop->setText(running ? QStringLiteral("Stop") : QStringLiteral("Start"));
    ui->cmdReset->setEnabled(m_count.CanReset());
    // A disabled Exit hands the keyboard on: to the button that stops the count, not to the
    // next Tab stop, the web address.
    if (running && focusWidget() == ui->cmdExit)
        ui->cmdStartStop->setFocus();
    ui->cmdExit->setEnabled(!running);
}

void frmMain::ShowCount()
{
    UpdateDisplay(m_count.Texts(), this);
}

// Only a window that can be seen, the screen unlocked, does the 10 ms work; current once it shows.
void frmMain::SyncDisplayTimer()
{
    if (m_count.IsRunning() && isVisible() && !isMinimized() && !ScreenLock::CurrentlyLocked()) {
        if (!m_timDisplay->isActive()) {
            m_count.CatchUp(); // a day that ended while nobody looked, as after a suspend
            timDisplay_Timer();
            m_timDisplay->start();
        }
    } else {
        m_timDisplay->stop();
    }
}

void frmMain::changeEvent(QEvent *event)
{
    QMainWindow::changeEvent(event);
    if (event->type() == QEvent::WindowStateChange)
        SyncDisplayTimer();
}

void frmMain::showEvent(QShowEvent *event)
{
    QMainWindow::showEvent(event);
    SyncDisplayTimer();
}

void frmMain::hideEvent(QHideEvent *event)
{
    QMainWindow::hideEvent(event);
    SyncDisplayTimer();
}

void frmMain::cmdStartStop_Click()
{
    if (m_count.IsRunning()) {
        m_count.Stop();
        return;
    }
    // The count shows from this moment, whatever the store then has to say.
    m_count.Start();
    ReportUnstoredTimes(m_sessionTimes.OnStart(QDateTime::currentDateTime()));
}

void frmMain::cmdReset_Click()
{
    m_count.Reset();
}

void frmMain::cmdSnapshot_Click()
{
    if (const QString failure = TakeSnapshot(); !failure.isEmpty())
        MessageBox::error(this, failure);
}

// Returns why the line could not be added, or nothing.
QString frmMain::TakeSnapshot()
{
    if (m_count.IsRunning())
        ShowCount(); // the logged time is this instant's, not the last tick's
    ReportUnstoredTimes(m_sessionTimes.OnSnapshot(QDateTime::currentDateTime()));
    // Told to those who can't see the flash, the same words or not; a failure has its message
    // box instead.
    const QString failure = AppendSessionLog();
    if (failure.isEmpty())
        Accessibility::Tell(this, QStringLiteral("Snapshot taken: ") + m_count.Texts().Spoken());
    SetDisplayColours(Qt::white, Qt::black);
    // A flash already on ends at its own tick: a second snapshot within it doesn't prolong it.
    if (!m_tmrSnapshot->isActive())
        m_tmrSnapshot->start();
    return failure;
}

void frmMain::ReportUnstoredTimes(bool stored)
{
    if (stored || m_reportedStoreFailure)
        return;
    // Once a run is enough: the store stays broken until the user mends it.
    m_reportedStoreFailure = true;
    QString text = QStringLiteral("The start and stop times could not be saved in the settings "
                                  "file. Your session log is not affected: its lines still carry "
                                  "this run's times.\n\nSettings file: %1")
                       .arg(QDir::toNativeSeparators(SettingsStore::StoreLocation()));
    if (!SettingsStore::LastFailure().isEmpty())
        text += QStringLiteral("\n\n") + SettingsStore::LastFailure();
    MessageBox::error(this, text);
}

QString frmMain::AppendSessionLog()
{
    const QString elapsed = SessionLog::ElapsedField(m_count.Texts());
    const SessionLog::Outcome appended = SessionLog::Append(
        SessionLog::SnapshotLine(m_sessionTimes.Start(), m_sessionTimes.Stop(), elapsed));
    if (appended.ok)
        return {};
    return SessionLog::FailureText(
        QStringLiteral("The snapshot could not be added to the session log."), appended);
}

void frmMain::tmrSnapshot_Timer()
{
    m_tmrSnapshot->stop();
    SetDisplayColours(Qt::black, PanelColour);
}

void frmMain::SetDisplayColours(const QColor &text, const QColor &background)
{
    QPalette panel = ui->picElapsed->palette();
    panel.setColor(QPalette::Window, background);
    ui->picElapsed->setPalette(panel);
    for (QLabel *label : {ui->lblHours, ui->lblMinutes, ui->lblSeconds, ui->lblSecHundreds,
                          ui->lblYears, ui->lblDays}) {
        QPalette colours = label->palette();
        colours.setColor(QPalette::WindowText, text);
        colours.setColor(QPalette::Window, background);
        label->setPalette(colours);
    }
}

void frmMain::timDisplay_Timer()
{
    UpdateDisplay(m_count.Texts(), this);
}

void frmMain::ArmWarning(int days)
{
    ui->lblWarning->setText(WarningText(days));
    FitOnOneLine(ui->lblWarning);
    m_warningTold = false;
    m_tmrWarning->start();
}

// While the minutes of the new day read 15 or less the warning and the count take turns; from
// minute 16 the blinking ends with the count showing.
void frmMain::tmrWarning_Timer()
{
    if (WarningBlinks(m_count.ElapsedMs())) {
        ShowWarningInstead(ui->lblWarning->isHidden());
        return;
    }
    m_tmrWarning->stop();
    ShowWarningInstead(false);
}

void frmMain::ShowWarningInstead(bool warning)
{
    ui->lblWarning->setVisible(warning);
    // Once for each arming, not at every blink.
    if (warning && !m_warningTold) {
        m_warningTold = true;
        Accessibility::Tell(this, ui->lblWarning->text());
    }
}

void frmMain::cmdExit_Click()
{
    close();
}

void frmMain::mnuClose_Click()
{
    close();
}

void frmMain::mnuCustomize_Click()
{
    {
        frmCustomize dialog(m_preferences, this);
        dialog.exec();
    }
    TakeFocusBack();
    // However the dialog closed: OK's new values, or the store as it was after Cancel.
    LoadSettings();
}

void frmMain::mnuSessions_Click()
{
    // Modal; the nested event loop keeps the count's timers ticking behind it.
    frmSessions sessions(this);
    sessions.exec();
    TakeFocusBack();
}

void frmMain::mnuCompact_Click()
{
    // Hidden, the window may pass its focus on; it comes back to the control that had it.
    const QPointer<QWidget> focused = focusWidget();
    const QPoint where = pos();
    hide();
    {
        // A fresh window each time, gone when this block ends.
        frmCompact compact(m_count);
        m_compact = &compact;
        compact.blnActive = m_count.IsRunning();
        if (!compact.blnActive) {
            const CountTexts frozen = m_count.Texts();
            compact.strHours = frozen.hours;
            compact.strMinutes = frozen.minutes;
            compact.strSecHundreds = frozen.hundredths;
            compact.strSeconds = frozen.seconds;
        }
        QPointer<frmMain> self(this);
        compact.exec();
        if (!self)
            return;
    }
    ShowAgainAt(this, where); // with this instant's count
    if (focused)
        focused->setFocus();
    TakeFocusBack();
}

void frmMain::mnuHelp_Click()
{
    // Parentless, so that it outlives this window and keeps the program running.
    auto *help = new frmHelp;
    help->setAttribute(Qt::WA_DeleteOnClose);
    connect(help, &QDialog::finished, this, &frmMain::TakeFocusBack);
    help->show();
}

// Whatever the window manager does when a dialog goes, the keyboard comes back here, to the
// control that had it.
void frmMain::TakeFocusBack()
{
    if (isVisible())
        activateWindow();
}

void frmMain::lblURL_Click()
{
    UrlOpener::Open(ui->lblURL->text());
}

QString frmMain::Perform(CommandLine::Command command)
{
    using CommandLine::Command;
    switch (command) {
    case Command::Start:
        if (m_count.IsRunning())
            return QStringLiteral("Pendrel is already counting.");
        cmdStartStop_Click();
        return {};
    case Command::Stop:
        if (!m_count.IsRunning())
            return QStringLiteral("Pendrel is not counting.");
        cmdStartStop_Click();
        return {};
    case Command::Toggle:
        cmdStartStop_Click();
        return {};
    case Command::Reset:
        if (m_count.IsRunning())
            return QStringLiteral("Stop the count before you reset it.");
        if (m_count.CanReset())
            cmdReset_Click();
        return {};
    case Command::Snapshot: {
        // The message box waits for the event loop: the caller has its answer first.
        const QString failure = TakeSnapshot();
        if (!failure.isEmpty())
            QTimer::singleShot(0, this, [this, failure] { MessageBox::error(this, failure); });
        return failure;
    }
    case Command::Compact:
        if (m_compact)
            return {};
        if (QApplication::activeModalWidget())
            return QStringLiteral("Close Pendrel's open dialog first.");
        // The compact window runs until it closes: the caller has its answer first.
        QTimer::singleShot(0, this, &frmMain::mnuCompact_Click);
        return {};
    case Command::Show:
        QTimer::singleShot(0, this, &frmMain::BringToFront);
        return {};
    case Command::Close:
        // The compact window goes first: it shows the count, which ends with this window.
        if (m_compact) {
            m_compact->close();
            QTimer::singleShot(0, this, [this] { Perform(Command::Close); });
        } else {
            QTimer::singleShot(0, this, &frmMain::mnuClose_Click);
        }
        return {};
    case Command::None:
    case Command::Status:
        break;
    }
    return {};
}

void frmMain::BringToFront()
{
    // Out of the compact window: the main window comes back where it was.
    if (m_compact) {
        m_compact->close();
        return;
    }
    if (isMinimized())
        showNormal();
    show();
    raise();
    activateWindow();
    // A dialog open over the window comes to the front with it.
    if (QWidget *dialog = QApplication::activeModalWidget()) {
        dialog->raise();
        dialog->activateWindow();
    }
}
