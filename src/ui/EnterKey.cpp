#include "ui/EnterKey.h"

#include <QApplication>
#include <QKeyEvent>
#include <QPointer>
#include <QPushButton>

namespace {
class EnterPressesButtons : public QObject
{
public:
    using QObject::QObject;

    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() != QEvent::KeyPress)
            return false;
        const auto *key = static_cast<QKeyEvent *>(event);
        if ((key->key() != Qt::Key_Return && key->key() != Qt::Key_Enter) || key->isAutoRepeat() ||
            (key->modifiers() & ~Qt::KeypadModifier) != Qt::NoModifier)
            return false;
        auto *button = qobject_cast<QPushButton *>(watched);
        // A default button, or one that becomes it with the focus, already takes Enter itself.
        if (!button || !button->isEnabled() || button->autoDefault() || button->isDefault())
            return false;
        button->click();
        return true;
    }
};
} // namespace

void LetEnterPressButtons()
{
    static QPointer<EnterPressesButtons> filter;
    if (filter || !qApp)
        return;
    filter = new EnterPressesButtons(qApp);
    qApp->installEventFilter(filter);
}
