#include "compact/frmCompact.h"

#include "clock/CountDisplay.h"
#include "clock/StopWatch.h"
#include "compact/CompactKeys.h"
#include "desktop/ScreenLock.h"
#include "ui/Accessibility.h"
#include "ui/Design.h"
#include "ui/WindowFrame.h"
#include "ui/WindowSystem.h"
#include "ui_frmCompact.h"

#include <QApplication>
#include <QCursor>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QScreen>
#include <QTimer>

using namespace modStopWatch;

QPoint CompactCorner(const QRect &workArea, const QSize &frameSize)
{
    return {workArea.x() + workArea.width() - frameSize.width(),
            workArea.y() + workArea.height() - frameSize.height()};
}

frmCompact::frmCompact(StopWatch &count, QWidget *parent)
    : QDialog(parent)
    , ui(std::make_unique<Ui::frmCompact>())
    , m_count(count)
    , m_drag(QApplication::startDragDistance(), [this](const QPoint &pressGlobal) {
        if (!WindowSystem::StartSystemMove(this, pressGlobal))
            return false;
        m_tmrDragEnd->start();
        return true;
    })
{
    LoadDesign(*ui, this, ":/ui/pendrel.png");
    // No frame, above ordinary windows (where the window manager agrees).
    setWindowFlags(Qt::Tool | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint);
    // The main window is only hidden meanwhile: closing this one must not end the program.
    setAttribute(Qt::WA_QuitOnClose, false);
    KeepDesignSize(this);

    m_timDisplay = new QTimer(this);
    m_timDisplay->setObjectName(QStringLiteral("timDisplay"));
    m_timDisplay->setInterval(10);
    m_timDisplay->setTimerType(Qt::PreciseTimer);
    connect(m_timDisplay, &QTimer::timeout, this, &frmCompact::timDisplay_Timer);
    if (ScreenLock *lock = ScreenLock::Current()) {
        connect(lock, &ScreenLock::lockedChanged, this, [this] {
            if (isVisible())
                SyncDisplayTimer();
        });
    }
    // A window manager that moves the window keeps the button's release to itself: this timer
    // watches for it while the window system has the drag.
    m_tmrDragEnd = new QTimer(this);
    m_tmrDragEnd->setObjectName(QStringLiteral("tmrDragEnd"));
    m_tmrDragEnd->setInterval(30);
    connect(m_tmrDragEnd, &QTimer::timeout, this, &frmCompact::tmrDragEnd_Timer);

    for (QLabel *label : {ui->lblHours, ui->lblMinutes, ui->lblSeconds, ui->lblSecHundreds})
        label->installEventFilter(this);
    Accessibility::SpeakAsOne(ui->Picture1);
}

frmCompact::~frmCompact() = default;

void frmCompact::setVisible(bool visible)
{
    // The hand-over variables are set between construction and showing.
    if (visible && !m_loaded) {
        m_loaded = true;
        Form_Load();
    }
    QDialog::setVisible(visible);
}

void frmCompact::Form_Load()
{
    m_count.SetWarningsHeld(true);
    if (blnActive) {
        SyncDisplayTimer();
    } else {
        // The handed-over time, with the stopped count's years and days for those who listen.
        CountTexts handed = m_count.Texts();
        handed.hours = strHours;
        handed.minutes = strMinutes;
        handed.hundredths = strSecHundreds;
        handed.seconds = strSeconds;
        UpdateDisplay(handed, this);
    }
    // Met in window lists as "Pendrel", but kept out of the task bar.
    WindowSystem::KeepOffTaskBar(this);
    if (const QScreen *screen = QGuiApplication::primaryScreen())
        move(CompactCorner(WindowSystem::WorkArea(screen), frameGeometry().size()));
}

void frmCompact::done(int result)
{
    // Every way out (double-click, close request) passes here.
    Form_Unload();
    QDialog::done(result);
}

void frmCompact::Form_Unload()
{
    m_timDisplay->stop();
    m_count.SetWarningsHeld(false);
}

// A running count ticks while the screen is not locked, current from the moment it shows.
void frmCompact::SyncDisplayTimer()
{
    if (blnActive && !ScreenLock::CurrentlyLocked()) {
        if (!m_timDisplay->isActive()) {
            m_count.CatchUp(); // days that ended while the screen was locked, as after a suspend
            timDisplay_Timer();
            m_timDisplay->start();
        }
    } else {
        m_timDisplay->stop();
    }
}

void frmCompact::timDisplay_Timer()
{
    UpdateDisplay(m_count.Texts(), this);
}

void frmCompact::tmrDragEnd_Timer()
{
    if (m_drag.IsSystemMoving() && WindowSystem::LeftButtonDown())
        return;
    m_tmrDragEnd->stop();
    if (m_drag.IsSystemMoving())
        Apply(m_drag.release(Qt::NoButton, QCursor::pos()));
}

void frmCompact::changeEvent(QEvent *event)
{
    QDialog::changeEvent(event);
    // Minimized, with the main window hidden, Pendrel would be nowhere to be seen: a window
    // manager that minimizes this window brings the main window back instead.
    if (event->type() == QEvent::WindowStateChange && isMinimized())
        close();
}

void frmCompact::keyPressEvent(QKeyEvent *event)
{
    // Escape and Enter bring the main window back, as a double-click does; the arrows move.
    const int key = event->key();
    if (key == Qt::Key_Escape || key == Qt::Key_Return || key == Qt::Key_Enter) {
        close();
        return;
    }
    const QPoint to = NudgedPosition(pos(), frameGeometry().size(),
                                     WindowSystem::WorkArea(screen()), key, event->modifiers());
    if (to != pos()) {
        move(to);
        return;
    }
    QDialog::keyPressEvent(event);
}

bool frmCompact::IsCountLabel(QObject *object) const
{
    return object == ui->lblHours || object == ui->lblMinutes || object == ui->lblSeconds ||
           object == ui->lblSecHundreds;
}

bool frmCompact::eventFilter(QObject *watched, QEvent *event)
{
    if (!IsCountLabel(watched))
        return QDialog::eventFilter(watched, event);
    switch (event->type()) {
    case QEvent::MouseButtonPress:
        Label_MouseDown(static_cast<QWidget *>(watched), static_cast<QMouseEvent *>(event));
        return true;
    case QEvent::MouseMove:
        Label_MouseMove(static_cast<QMouseEvent *>(event));
        return true;
    case QEvent::MouseButtonRelease:
        Label_MouseUp(static_cast<QMouseEvent *>(event));
        return true;
    case QEvent::MouseButtonDblClick:
        Label_DblClick(static_cast<QMouseEvent *>(event));
        return true;
    default:
        return QDialog::eventFilter(watched, event);
    }
}

void frmCompact::Label_MouseDown(QWidget *label, QMouseEvent *event)
{
    // The grabbed point from the event alone: just after the window shows, Qt may not yet
    // know where it stands.
    const QPoint grab = label->mapTo(this, event->position().toPoint());
    Apply(m_drag.press(event->buttons(), event->globalPosition().toPoint(), grab));
}

void frmCompact::Label_MouseMove(QMouseEvent *event)
{
    Apply(m_drag.move(event->buttons(), event->globalPosition().toPoint()));
}

void frmCompact::Label_MouseUp(QMouseEvent *event)
{
    Apply(m_drag.release(event->buttons(), event->globalPosition().toPoint()));
}

void frmCompact::Label_DblClick(QMouseEvent *event)
{
    Apply(m_drag.doubleClick(event->button()));
}

void frmCompact::Apply(const CompactDrag::Action &action)
{
    if (m_systemMoving && !m_drag.IsSystemMoving())
        WindowSystem::EndSystemMove(this);
    m_systemMoving = m_drag.IsSystemMoving();
    switch (action.kind) {
    case CompactDrag::Action::Move: {
        // Wholly on the work area of the screen it is dragged to.
        const QSize size = frameGeometry().size();
        const QScreen *target = QGuiApplication::screenAt(QRect(action.to, size).center());
        if (!target)
            target = screen();
        move(KeptOnScreen(action.to, size, WindowSystem::WorkArea(target)));
        break;
    }
    case CompactDrag::Action::Close:
        close();
        break;
    case CompactDrag::Action::None:
        break;
    }
}
