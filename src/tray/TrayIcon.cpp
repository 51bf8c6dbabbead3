#include "tray/TrayIcon.h"

#include "app/frmMain.h"
#include "clock/StopWatch.h"

#include <QSystemTrayIcon>

using CommandLine::Command;
using namespace modStopWatch;

namespace {
std::function<bool()> &Availability()
{
    static std::function<bool()> available;
    return available;
}
} // namespace

bool TrayIcon::Available()
{
    return Availability() ? Availability()() : QSystemTrayIcon::isSystemTrayAvailable();
}

void TrayIcon::SetAvailability(std::function<bool()> available)
{
    Availability() = std::move(available);
}

TrayIcon::TrayIcon(StopWatch &count, frmMain &window, QObject *parent)
    : QObject(parent)
    , m_count(count)
    , m_window(window)
{
    m_nextMinute.setSingleShot(true);
    m_nextMinute.setTimerType(Qt::PreciseTimer);
    connect(&m_nextMinute, &QTimer::timeout, this, &TrayIcon::Update);
    connect(&count, &StopWatch::runningChanged, this, &TrayIcon::Update);
    connect(&count, &StopWatch::wasReset, this, &TrayIcon::Update);
    connect(&count, &StopWatch::dayRolledOver, this, &TrayIcon::Update);
}

// Not at start-up: most users never show the icon, and a menu is a window to make.
void TrayIcon::MakeMenu()
{
    m_menu = std::make_unique<QMenu>();
    m_startStop = m_menu->addAction(QString(), this, [this] { m_window.Perform(Command::Toggle); });
    m_menu->addAction(QStringLiteral("Snapshot"), this,
                      [this] { m_window.Perform(Command::Snapshot); });
    m_menu->addAction(QStringLiteral("Show Pendrel"), this,
                      [this] { m_window.Perform(Command::Show); });
    m_menu->addAction(QStringLiteral("Compact"), this,
                      [this] { m_window.Perform(Command::Compact); });
    m_menu->addSeparator();
    m_menu->addAction(QStringLiteral("Close Pendrel"), this,
                      [this] { m_window.Perform(Command::Close); });
}

TrayIcon::~TrayIcon()
{
    delete m_icon;
}

void TrayIcon::SetShown(bool shown)
{
    if (shown == IsShown())
        return;
    if (!shown) {
        delete m_icon;
        m_icon = nullptr;
        m_nextMinute.stop();
        // Hidden from the tray's click, the window would have no way back.
        if (m_window.isHidden())
            m_window.Perform(Command::Show);
        return;
    }
    if (!m_menu)
        MakeMenu();
    m_icon = new QSystemTrayIcon(QIcon(QStringLiteral(":/ui/pendrel.png")), this);
    m_icon->setContextMenu(m_menu.get());
    connect(m_icon, &QSystemTrayIcon::activated, this,
            [this](QSystemTrayIcon::ActivationReason why) {
                if (why == QSystemTrayIcon::Trigger)
                    Clicked();
            });
    Update();
    m_icon->show();
}

QString TrayIcon::ToolTip() const
{
    const StopWatch::Kept now = m_count.Keep();
    const int days = now.years * DaysPerYear + now.days;
    return QStringLiteral("%1 %2, %3:%4")
        .arg(days)
        .arg(days == 1 ? QStringLiteral("day") : QStringLiteral("days"))
        .arg(now.ms / MsPerHour, 2, 10, QLatin1Char('0'))
        .arg(now.ms % MsPerHour / MsPerMinute, 2, 10, QLatin1Char('0'));
}

void TrayIcon::Update()
{
    if (!m_icon)
        return;
    m_startStop->setText(m_count.IsRunning() ? QStringLiteral("Stop") : QStringLiteral("Start"));
    m_icon->setToolTip(ToolTip());
    // The tooltip changes with the minute: one wake-up then, none while the count stands.
    if (m_count.IsRunning())
        m_nextMinute.start(int(MsPerMinute - m_count.ElapsedMs() % MsPerMinute));
    else
        m_nextMinute.stop();
}

void TrayIcon::Clicked()
{
    if (m_window.isVisible() && !m_window.isMinimized())
        m_window.hide();
    else
        m_window.Perform(Command::Show);
}
