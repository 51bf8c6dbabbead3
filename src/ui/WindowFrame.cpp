#include "ui/WindowFrame.h"

#include <QDialog>
#include <QGuiApplication>
#include <QLabel>
#include <QMouseEvent>
#include <QScreen>

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
} // namespace

void UseDialogFrame(QDialog *dialog)
{
    dialog->setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                           Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint |
                           Qt::MSWindowsFixedSizeDialogHint);
    dialog->setFixedSize(dialog->size());
    CentreOnScreen(dialog);
}

void CentreOnScreen(QWidget *window)
{
    const QWidget *parent = window->parentWidget();
    const QScreen *screen = parent ? parent->screen() : QGuiApplication::primaryScreen();
    if (screen)
        window->move(screen->availableGeometry().center() - window->rect().center());
}

void OnLeftClick(QLabel *label, std::function<void()> onClick)
{
    label->installEventFilter(new LeftClickFilter(label, std::move(onClick)));
}
