#include "ui/WindowFrame.h"

#include "ui/WindowSystem.h"

#include <QDialog>
#include <QGuiApplication>
#include <QLabel>
#include <QMainWindow>
#include <QMenuBar>
#include <QMouseEvent>
#include <QPointer>
#include <QScreen>
#include <QScrollArea>
#include <QStyle>
#include <QTimer>
#include <QWindow>

namespace {
class LeftClickFilter : public QObject
{
public:
    LeftClickFilter(QLabel *label, std::function<void()> onClick)
        : QObject(label)
        , m_onClick(std::move(onClick))
    {}

    bool eventFilter(QObject *, QEvent *event) override
    {
        if (event->type() != QEvent::MouseButtonRelease ||
            static_cast<QMouseEvent *>(event)->button() != Qt::LeftButton)
            return false;
        m_onClick();
        return true;
    }

private:
    std::function<void()> m_onClick;
};

constexpr Qt::WindowStates Filling = Qt::WindowMaximized | Qt::WindowFullScreen;

class DesignSize : public QObject
{
public:
    explicit DesignSize(QWidget *window)
        : QObject(window)
        , m_window(window)
    {}

    bool eventFilter(QObject *, QEvent *event) override
    {
        QWindow *handle = m_window->windowHandle();
        if (event->type() != QEvent::Show || !handle || handle == m_handle)
            return false;
        m_handle = handle;
        // On the window's own signals: Qt's title bar on Wayland maximizes the window without a
        // word to the widget.
        connect(handle, &QWindow::windowStateChanged, this, &DesignSize::Refuse);
        connect(handle, &QWindow::widthChanged, this, &DesignSize::Resized);
        connect(handle, &QWindow::heightChanged, this, &DesignSize::Resized);
        return false;
    }

private:
    void Refuse()
    {
        if (!(m_handle->windowStates() & Filling))
            return;
        // A Wayland compositor that has maximized the window ends the program at the first
        // frame of another size, and Qt acknowledges its size before Pendrel hears of it: the
        // window may take that size until the compositor has put it back.
        if (QGuiApplication::platformName().startsWith(QLatin1String("wayland"))) {
            m_handle->setMaximumSize(QSize(QWIDGETSIZE_MAX, QWIDGETSIZE_MAX));
            m_lifted = true;
        }
        QTimer::singleShot(0, m_handle, [handle = m_handle] {
            handle->setWindowStates(handle->windowStates() & ~Filling);
        });
    }

    void Resized()
    {
        if (!m_lifted)
            return;
        if (m_handle->size() != m_window->maximumSize()) {
            m_grown = true;
        } else if (m_grown) {
            m_handle->setMaximumSize(m_window->maximumSize());
            m_lifted = m_grown = false;
        }
    }

    QWidget *m_window;
    QPointer<QWindow> m_handle;
    bool m_lifted = false; // the window may grow, as the compositor has it maximized
    bool m_grown = false;
};

QMargins FrameMargins(const QWidget *window)
{
    if (const QWindow *handle = window->windowHandle(); handle && handle->isExposed())
        return handle->frameMargins();
    // Not framed yet: the window manager frames this program's windows alike.
    const auto windows = QGuiApplication::topLevelWindows();
    for (const QWindow *other : windows) {
        if (other->isExposed() && !other->frameMargins().isNull())
            return other->frameMargins();
    }
    return {};
}

// Makes `window` no larger than `room`, where its design is larger: the design then scrolls
// inside it. The main window scrolls below its menu bar, a dialog as a whole.
void FitInto(QWidget *window, const QSize &room)
{
    auto *main = qobject_cast<QMainWindow *>(window);
    auto *scroll = window->findChild<QScrollArea *>(QStringLiteral("fitToWorkArea"),
                                                    Qt::FindDirectChildrenOnly);
    if (!scroll) {
        if (window->width() <= room.width() && window->height() <= room.height())
            return;
        scroll = new QScrollArea;
        scroll->setObjectName(QStringLiteral("fitToWorkArea"));
        scroll->setFrameShape(QFrame::NoFrame);
        if (main) {
            scroll->setWidget(main->takeCentralWidget());
            main->setCentralWidget(scroll);
        } else {
            auto *page = new QWidget;
            page->setFixedSize(window->size());
            const auto children = window->findChildren<QWidget *>(Qt::FindDirectChildrenOnly);
            for (QWidget *child : children) {
                const bool hidden = child->isHidden();
                child->setParent(page);
                child->setHidden(hidden);
            }
            scroll->setParent(window);
            scroll->setWidget(page);
        }
    }
    const QSize design = scroll->widget()->size();
    const QSize chrome(0, main ? main->menuBar()->sizeHint().height() : 0);
    const QSize free = room - chrome;
    const int bar = scroll->style()->pixelMetric(QStyle::PM_ScrollBarExtent);
    QSize fit = design.boundedTo(free);
    if (fit.height() < design.height())
        fit.setWidth(qMin(design.width() + bar, free.width()));
    if (fit.width() < design.width())
        fit.setHeight(qMin(design.height() + bar, free.height()));
    scroll->setFixedSize(fit);
    if (!main)
        window->setFixedSize(fit);
    window->adjustSize();
}

void Centre(QWidget *window)
{
    const QWidget *parent = window->parentWidget();
    const QScreen *screen = parent ? parent->screen() : QGuiApplication::primaryScreen();
    if (screen) {
        const QRect area = WindowSystem::WorkArea(screen);
        const QMargins frame = FrameMargins(window);
        FitInto(window, area.size().shrunkBy(frame));
        // A window's position is that of its frame.
        window->move(CentredFramePosition(area, window->size(), frame));
    }
}

// Runs `placed` on the window when it is first exposed after its next show, by then inside
// its frame.
class WhenFramed : public QObject
{
public:
    WhenFramed(QWidget *window, std::function<void()> placed)
        : QObject(window)
        , m_window(window)
        , m_placed(std::move(placed))
    {
        window->installEventFilter(this);
    }

    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (watched == m_window && event->type() == QEvent::Show && m_window->windowHandle()) {
            m_window->windowHandle()->installEventFilter(this);
        } else if (watched != m_window && event->type() == QEvent::Expose &&
                   m_window->windowHandle()->isExposed()) {
            m_placed();
            deleteLater();
        }
        return false;
    }

private:
    QWidget *m_window;
    std::function<void()> m_placed;
};
} // namespace

void KeepDesignSize(QWidget *window)
{
    window->installEventFilter(new DesignSize(window));
}

void UseDialogFrame(QDialog *dialog)
{
    dialog->setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                           Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint |
                           Qt::MSWindowsFixedSizeDialogHint);
    dialog->setFixedSize(dialog->size());
    // A dialog with a parent is reached through it; the parentless Help keeps its entry.
    if (dialog->parentWidget())
        WindowSystem::KeepOffTaskBar(dialog);
    KeepDesignSize(dialog);
    CentreOnScreen(dialog);
}

QPoint CentredFramePosition(const QRect &area, const QSize &size, const QMargins &frame)
{
    const QSize outer = size.grownBy(frame);
    return area.topLeft() +
           QPoint((area.width() - outer.width()) / 2, (area.height() - outer.height()) / 2);
}

void CentreOnScreen(QWidget *window)
{
    Centre(window);
    // The frame is known for sure only once the window manager has put one round the window.
    new WhenFramed(window, [window] { Centre(window); });
}

void ShowAgainAt(QWidget *window, const QPoint &framePosition)
{
    new WhenFramed(window, [window, framePosition] {
        if (window->pos() != framePosition)
            window->move(framePosition);
    });
    window->show();
}

void OnLeftClick(QLabel *label, std::function<void()> onClick)
{
    label->installEventFilter(new LeftClickFilter(label, std::move(onClick)));
}
