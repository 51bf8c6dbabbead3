#include "ui/Accessibility.h"

#include "ui/FocusRing.h"
#include "ui/WindowFrame.h"

#include <QAbstractItemView>
#include <QAccessibleWidget>
#include <QApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QProxyStyle>
#include <QStyleFactory>
#include <QTimer>

namespace Accessibility {

namespace {
const char SpeaksAsOne[] = "pendrelSpeaksAsOne";
const char RoleOfLabel[] = "pendrelAccessibleRole";
const char IsNotice[] = "pendrelNotice";
// Long enough to be heard, short enough that nobody browsing the window meets it later.
constexpr int NoticeMs = 3000;

// A leaf: what the panel holds is said by its name.
class OneObject : public QAccessibleWidget
{
public:
    explicit OneObject(QWidget *panel)
        : QAccessibleWidget(panel, QAccessible::StaticText)
    {}

    int childCount() const override { return 0; }
    QAccessibleInterface *child(int) const override { return nullptr; }
    int indexOfChild(const QAccessibleInterface *) const override { return -1; }
    QAccessibleInterface *childAt(int, int) const override { return nullptr; }
};

// Enter and Space open a link, as a click does.
class LinkKeys : public QObject
{
public:
    LinkKeys(QLabel *label, std::function<void()> open)
        : QObject(label)
        , m_open(std::move(open))
    {}

    void open() const { m_open(); }

    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() == QEvent::Show)
            static_cast<QLabel *>(watched)->setFocusPolicy(Qt::TabFocus);
        if (event->type() != QEvent::KeyPress)
            return false;
        const auto *press = static_cast<QKeyEvent *>(event);
        const int key = press->key();
        if (key != Qt::Key_Return && key != Qt::Key_Enter && key != Qt::Key_Space)
            return false;
        // A key held down opens the address once, not once a repeat.
        if (!press->isAutoRepeat())
            m_open();
        return true;
    }

private:
    std::function<void()> m_open;
};

// A label with a role of its own, named by its text; a link also opens on the tool's request.
class RoledLabel : public QAccessibleWidget
{
public:
    RoledLabel(QLabel *label, QAccessible::Role role)
        : QAccessibleWidget(label, role)
    {}

    QString text(QAccessible::Text kind) const override
    {
        const QString text = QAccessibleWidget::text(kind);
        if (kind == QAccessible::Name && text.isEmpty())
            return static_cast<const QLabel *>(widget())->text();
        return text;
    }

    QStringList actionNames() const override
    {
        QStringList names = QAccessibleWidget::actionNames();
        if (link())
            names.prepend(pressAction());
        return names;
    }

    void doAction(const QString &action) override
    {
        if (action == pressAction() && link())
            link()->open();
        else
            QAccessibleWidget::doAction(action);
    }

private:
    const LinkKeys *link() const
    {
        return widget()->findChild<LinkKeys *>(QString(), Qt::FindDirectChildrenOnly);
    }
};

// A pixel that paints nothing, above no control that a click would miss, shown for a moment to
// be heard. It goes with its window, so that the window's next showing doesn't tell it again.
class Notice : public QWidget
{
public:
    explicit Notice(QWidget *window)
        : QWidget(window)
    {
        setObjectName(QLatin1String(IsNotice));
        setProperty(IsNotice, true);
        setGeometry(0, 0, 1, 1);
        setAttribute(Qt::WA_TransparentForMouseEvents);
        m_ends.setSingleShot(true);
        m_ends.setInterval(NoticeMs);
        connect(&m_ends, &QTimer::timeout, this, &QWidget::hide);
        window->installEventFilter(this);
    }

    void tell(const QString &message)
    {
        hide();
        setAccessibleName(message);
        show();
        m_ends.start();
    }

    bool eventFilter(QObject *, QEvent *event) override
    {
        if (event->type() == QEvent::Hide)
            hide();
        return false;
    }

private:
    QTimer m_ends{this};
};

QAccessibleInterface *Interface(const QString &, QObject *object)
{
    auto *widget = qobject_cast<QWidget *>(object);
    if (!widget)
        return nullptr;
    if (widget->property(SpeaksAsOne).toBool())
        return new OneObject(widget);
    // Screen readers speak a notification as it appears.
    if (widget->property(IsNotice).toBool())
        return new QAccessibleWidget(widget, QAccessible::Notification);
    auto *label = qobject_cast<QLabel *>(widget);
    const QVariant role = widget->property(RoleOfLabel);
    if (label && role.isValid())
        return new RoledLabel(label, QAccessible::Role(role.toInt()));
    return nullptr;
}

// The toolkit may have made the widget's interface already, while building the window.
void Renew(QWidget *widget)
{
    if (QAccessibleInterface *made = QAccessible::queryAccessibleInterface(widget))
        QAccessible::deleteAccessibleInterface(QAccessible::uniqueId(made));
}

class NoUnderlines : public QProxyStyle
{
public:
    NoUnderlines()
        : QProxyStyle(QStyleFactory::create(QApplication::style()->name()))
    {}

    int styleHint(StyleHint hint, const QStyleOption *option, const QWidget *widget,
                  QStyleHintReturn *returned) const override
    {
        if (hint == SH_UnderlineShortcut)
            return 0;
        return QProxyStyle::styleHint(hint, option, widget, returned);
    }
};
} // namespace

void SetUp()
{
    QAccessible::installFactory(Interface);
    ShowFocusAlways();
}

void SpeakAsOne(QWidget *panel)
{
    panel->setProperty(SpeaksAsOne, true);
    Renew(panel);
    // A label with a name of its own sends no name change at each new text.
    const auto labels = panel->findChildren<QLabel *>();
    for (QLabel *label : labels)
        label->setAccessibleName(QStringLiteral("count"));
}

void SetRole(QLabel *label, QAccessible::Role role)
{
    label->setProperty(RoleOfLabel, int(role));
    Renew(label);
}

void MakeLink(QLabel *label, std::function<void()> open)
{
    // A label that can take the focus lays its text out as a document as soon as it has any,
    // first in the desktop's default face, which the windows never show: loading that face cost
    // the main window's start-up a twentieth. So the link becomes a Tab stop once it shows, as
    // the window is first painted; it paints the same either way.
    label->setFocusPolicy(label->isVisible() ? Qt::TabFocus : Qt::NoFocus);
    OnLeftClick(label, open);
    label->installEventFilter(new LinkKeys(label, std::move(open)));
    SetRole(label, QAccessible::Link);
}

void Tell(QWidget *window, const QString &message)
{
    if (!window->isVisible())
        return;
    auto *notice = static_cast<Notice *>(
        window->findChild<QWidget *>(QLatin1String(IsNotice), Qt::FindDirectChildrenOnly));
    if (!notice)
        notice = new Notice(window);
    notice->tell(message);
}

void TellCurrentCell(QAbstractItemView *grid)
{
    const QModelIndex current = grid->currentIndex();
    if (!current.isValid())
        return;
    QAccessibleInterface *table = QAccessible::queryAccessibleInterface(grid);
    QAccessibleTableInterface *cells = table ? table->tableInterface() : nullptr;
    QAccessibleInterface *cell = cells ? cells->cellAt(current.row(), current.column()) : nullptr;
    if (!cell)
        return;
    QAccessibleEvent event(grid, QAccessible::Focus);
    event.setChild(table->indexOfChild(cell));
    QAccessible::updateAccessibility(&event);
}

void HideAccessKeys(QWidget *widget)
{
    auto *style = new NoUnderlines;
    style->setParent(widget);
    widget->setStyle(style);
}

} // namespace Accessibility
