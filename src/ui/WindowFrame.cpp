#include "ui/WindowFrame.h"

#include "ui/WindowSystem.h"

#include <QDialog>
#include <QGuiApplication>
#include <QLabel>
#include <QMouseEvent>
#include <QScreen>
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

void Centre(QWidget *window)
{
    const QWidget *parent = window->parentWidget();
    const QScreen *screen = parent ? parent->screen() : QGuiApplication::primaryScreen();
    if (screen) {
        // A window's position is that of its frame.
        window->move(CentredFramePosition(WindowSystem::WorkArea(screen), window->size(),
                                          FrameMargins(window)));
    }
}

// Centres the window again when it is first exposed, by then inside its frame.
class RecentreWhenFramed : public QObject
{
public:
    explicit RecentreWhenFramed(QWidget *window)
        : QObject(window)
        , m_window(window)
    {}

    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (watched == m_window && event->type() == QEvent::Show && m_window->windowHandle()) {
            m_window->windowHandle()->installEventFilter(this);
        } else if (watched != m_window && event->type() == QEvent::Expose &&
                   m_window->windowHandle()->isExposed()) {
            Centre(m_window);
            deleteLater();
        }
        return false;
    }

private:
    QWidget *m_window;
};
} // namespace

void UseDialogFrame(QDialog *dialog)
{
    dialog->setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                           Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint |
                           Qt::MSWindowsFixedSizeDialogHint);
    dialog->setFixedSize(dialog->size());
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
    window->installEventFilter(new RecentreWhenFramed(window));
}

void OnLeftClick(QLabel *label, std::function<void()> onClick)
{
    label->installEventFilter(new LeftClickFilter(label, std::move(onClick)));
}
