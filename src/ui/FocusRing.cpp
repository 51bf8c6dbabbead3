#include "ui/FocusRing.h"

#include <QApplication>
#include <QPainter>
#include <QPointer>

FocusRing::FocusRing(QWidget *parent)
    : QFocusFrame(parent)
{
    setObjectName(QStringLiteral("focusRing"));
}

void FocusRing::follow(QWidget *widget)
{
    setWidget(widget);
    place();
}

bool FocusRing::eventFilter(QObject *watched, QEvent *event)
{
    // The frame places itself around the whole control on these, whatever the parent's edges.
    const bool handled = QFocusFrame::eventFilter(watched, event);
    switch (event->type()) {
    case QEvent::Move:
    case QEvent::Resize:
    case QEvent::Show:
    case QEvent::ParentChange:
    case QEvent::ZOrderChange:
        place();
        break;
    default:
        break;
    }
    return handled;
}

void FocusRing::place()
{
    const QWidget *target = widget();
    const QWidget *parent = parentWidget();
    if (!target || !parent)
        return;
    // Around the control, and where it reaches past its parent's edge, inside that edge.
    const QRect around = QRect(target->mapTo(parent, QPoint(0, 0)) - pos(), target->size())
                             .adjusted(-Width, -Width, Width, Width) &
                         rect() & QRect(-pos(), parent->size());
    setMask(QRegion(around) - QRegion(around.adjusted(Width, Width, -Width, -Width)));
    raise();
}

void FocusRing::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    painter.fillRect(rect(), parentWidget()->palette().color(QPalette::WindowText));
}

void ShowFocusAlways()
{
    static bool following = false;
    if (following)
        return;
    following = true;
    QObject::connect(qApp, &QApplication::focusChanged, qApp, [](QWidget *, QWidget *now) {
        static QPointer<FocusRing> ring;
        // A menu shows its place by itself; a window that loses the focus shows none.
        if (!now || now->isWindow() || now->window()->windowType() == Qt::Popup) {
            if (ring)
                ring->follow(nullptr);
            return;
        }
        if (!ring)
            ring = new FocusRing(now->window());
        ring->follow(now);
    });
}
