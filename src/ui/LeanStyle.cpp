#include "ui/LeanStyle.h"

#include <QApplication>
#include <QIcon>
#include <QProxyStyle>
#include <QStyleFactory>

namespace {
class LeanStyle : public QProxyStyle
{
public:
    using QProxyStyle::QProxyStyle;

    QIcon standardIcon(StandardPixmap icon, const QStyleOption *option,
                       const QWidget *widget) const override
    {
        if (icon == SP_ToolBarHorizontalExtensionButton ||
            icon == SP_ToolBarVerticalExtensionButton)
            return {};
        return QProxyStyle::standardIcon(icon, option, widget);
    }
};
} // namespace

QStyle *NewLeanStyle()
{
    // The style the desktop chose, as the toolkit first made it, under the proxy.
    static const QString desktop = QApplication::style()->name();
    return new LeanStyle(QStyleFactory::create(desktop));
}

void UseLeanStyle()
{
    QApplication::setStyle(NewLeanStyle());
}
