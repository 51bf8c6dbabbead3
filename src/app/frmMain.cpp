#include "app/frmMain.h"

#include "clock/Sounds.h"
#include "clock/TickSource.h"
#include "clock/Warning.h"
#include "clock/modStopWatch.h"
#include "compact/frmCompact.h"
#include "help/frmHelp.h"
#include "log/SessionLog.h"
#include "log/frmSessions.h"
#include "settings/SettingsStore.h"
#include "settings/frmCustomize.h"
#include "ui/DesignFonts.h"
#include "ui/Maker.h"
#include "ui/MessageBox.h"
#include "ui/UrlOpener.h"
#include "ui/WindowFrame.h"
#include "ui_frmMain.h"

#include <QDateTime>
#include <QDir>
#include <QLayout>
#include <QPointer>
#include <QTimer>

using namespace modStopWatch;
using namespace SettingsStore;

namespace {
const QColor PanelColour(0xFF, 0xC0, 0xC0);
const QString CaptionStart = QStringLiteral("Start");
const QString CaptionStop = QStringLiteral("Stop");
} // namespace

frmMain::frmMain(QWidget *parent)
    : QMainWindow(parent)
    , ui(std::make_unique<Ui::frmMain>())
{
    LoadDesign(*ui, this);
    ui->lblURL->setText(Maker::Address());
    setWindowFlags(Qt::Window | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                   Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint);
    layout()->setSizeConstraint(QLayout::SetFixedSize);

    // The picture is larger than the client area and is simply cut at its right and bottom.
    QPalette background = ui->centralwidget->palette();
    background.setBrush(QPalette::Window, QBrush(QPixmap(QStringLiteral(":/ui/background.jpg"))));
    ui->centralwidget->setPalette(background);
    ui->centralwidget->setAutoFillBackground(true);
    ui->picElapsed->setAutoFillBackground(true);
    SetDisplayColours(Qt::black, PanelColour);

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
    OnLeftClick(ui->lblURL, [this] { lblURL_Click(); });

    SetMainWindow(this);
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

void frmMain::Form_Load()
{
    Count().blnFirstStart = true;
    Count().intYears = 0;
    Count().intDays = 0;
    LoadSettings();
}

void frmMain::LoadSettings()
{
    ui->lblCustomText->setText(GetSetting(SectionSettings, KeyCustomText, DefaultCustomText));
    Preferences &prefs = Prefs();
    prefs.blnPlaySounds = GetBoolean(SectionSettings, KeyPlaySounds, DefaultPlaySounds);
    prefs.intWarningDays = GetInteger16(SectionSettings, KeyWarningDays, DefaultWarningDays);
    prefs.blnDisplayWarnings =
        GetBoolean(SectionSettings, KeyDisplayWarnings, DefaultDisplayWarnings);
}

bool frmMain::IsRunning() const
{
    return ui->cmdStartStop->text() == CaptionStop;
}

void frmMain::cmdStartStop_Click()
{
    if (ui->cmdStartStop->text() == CaptionStart) {
        ui->cmdReset->setEnabled(false);
        ui->cmdExit->setEnabled(false);
        ui->cmdStartStop->setText(CaptionStop);
        StartCount();
        SaveSessionTime(KeyStart, DateTimeText(QDateTime::currentDateTime()));
        SaveSessionTime(KeyStop, QStringLiteral("0"));
        m_timDisplay->start();
    } else {
        StopCount();
        m_timDisplay->stop();
        // Freeze the display at the exact stopped count, not at the last tick before it.
        UpdateDisplay(ElapsedMs(Count().lngStopTick), this);
        ui->cmdStartStop->setText(CaptionStart);
        ui->cmdReset->setEnabled(true);
        ui->cmdExit->setEnabled(true);
    }
}

void frmMain::cmdReset_Click()
{
    ResetCount();
    ShowZero(this);
    ui->cmdReset->setEnabled(false);
    PlayResetSound();
}

void frmMain::cmdSnapshot_Click()
{
    if (IsRunning())
        timDisplay_Timer(); // the logged time is this instant's, not the last tick's
    SaveSessionTime(KeyStop, DateTimeText(QDateTime::currentDateTime()));
    AppendSessionLog();
    SetDisplayColours(Qt::white, Qt::black);
    m_tmrSnapshot->start();
}

void frmMain::SaveSessionTime(const QString &key, const QString &value)
{
    if (SaveSetting(SectionSession, key, value) || m_reportedStoreFailure)
        return;
    // Once a run is enough: the store stays broken until the user mends it.
    m_reportedStoreFailure = true;
    MessageBox::error(this, QStringLiteral("The start and stop times could not be stored, so "
                                           "the session log may miss them.\n\nSettings file: %1")
                                .arg(QDir::toNativeSeparators(StoreLocation())));
}

void frmMain::AppendSessionLog()
{
    // No defaults: a key never written gives an empty field.
    const QString start = GetSetting(SectionSession, KeyStart);
    const QString stop = GetSetting(SectionSession, KeyStop);
    const QString elapsed =
        (Caption(this, "lblYears") + QStringLiteral(", ") + Caption(this, "lblDays") +
         QStringLiteral(", ") + Caption(this, "lblHours") + Caption(this, "lblMinutes") +
         Caption(this, "lblSeconds") + Caption(this, "lblSecHundreds"))
            .toLower();
    const SessionLog::Outcome appended =
        SessionLog::Append(SessionLog::SnapshotLine(start, stop, elapsed));
    if (!appended.ok) {
        MessageBox::error(
            this,
            SessionLog::FailureText(
                QStringLiteral("The snapshot could not be added to the session log."), appended));
    }
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
    UpdateDisplay(ElapsedMs(), this);
}

void frmMain::tmrWarning_Timer()
{
    WarningBlinkTick(this);
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
        frmCustomize dialog(this);
        dialog.exec();
    }
    // However the dialog closed: OK's new values, or the store as it was after Cancel.
    LoadSettings();
}

void frmMain::mnuSessions_Click()
{
    // Modal; the nested event loop keeps the count's timers ticking behind it.
    frmSessions sessions(this);
    sessions.exec();
}

void frmMain::mnuCompact_Click()
{
    hide();
    {
        // A fresh window each time, gone when this block ends.
        frmCompact compact;
        if (IsRunning()) {
            compact.blnActive = true;
        } else {
            compact.blnActive = false;
            compact.strHours = ui->lblHours->text();
            compact.strMinutes = ui->lblMinutes->text();
            compact.strSecHundreds = ui->lblSecHundreds->text();
            compact.strSeconds = ui->lblSeconds->text();
        }
        // This window's own timers keep serving the hidden labels meanwhile.
        QPointer<frmMain> self(this);
        compact.exec();
        if (!self)
            return;
    }
    if (IsRunning())
        timDisplay_Timer(); // back with this instant's count, not the last tick's
    show();
}

void frmMain::mnuHelp_Click()
{
    // Parentless, so that it outlives this window and keeps the program running.
    auto *help = new frmHelp;
    help->setAttribute(Qt::WA_DeleteOnClose);
    help->show();
}

void frmMain::lblURL_Click()
{
    UrlOpener::Open(ui->lblURL->text());
}
