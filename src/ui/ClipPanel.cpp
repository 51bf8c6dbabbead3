#include "ui/ClipPanel.h"

#include <QEvent>

ClipPanel::ClipPanel(QWidget *parent)
    : QFrame(parent)
{
    setFrameStyle(QFrame::WinPanel | QFrame::Sunken);
}

bool ClipPanel::event(QEvent *event)
{
    const bool handled = QFrame::event(event);
    switch (event->type()) {
    case QEvent::Show:
    case QEvent::Resize:
    case QEvent::ChildPolished:
    case QEvent::LayoutRequest:
        clipChildren();
        break;
    default:
        break;
    }
    return handled;
}

void ClipPanel::clipChildren()
{
    const QRect inside = contentsRect();
    for (QObject *object : children()) {
        if (auto *child = qobject_cast<QWidget *>(object))
            child->setMask(QRegion(inside.translated(-child->pos()).intersected(child->rect())));
    }
}
