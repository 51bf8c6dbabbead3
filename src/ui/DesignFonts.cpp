#include "ui/DesignFonts.h"

#include <QFont>
#include <QVariant>
#include <QWidget>

namespace {
void ApplyFont(QWidget *widget)
{
    const QVariant pixels = widget->property("pixelSize");
    if (!pixels.isValid())
        return;
    QFont font = widget->font();
    font.setPixelSize(pixels.toInt());
    widget->setFont(font);
}
} // namespace

void ApplyDesignFonts(QWidget *root)
{
    ApplyFont(root);
    const auto widgets = root->findChildren<QWidget *>();
    for (QWidget *widget : widgets)
        ApplyFont(widget);
}

void InitDesignResources()
{
    // Pendrel's code is a static library, whose resource initialiser the linker would drop.
    Q_INIT_RESOURCE(resources);
}

void RegisterFontSubstitutions()
{
    QFont::insertSubstitutions(QStringLiteral("Arial"), {QStringLiteral("Liberation Sans")});
    QFont::insertSubstitutions(QStringLiteral("Arial Narrow"),
                               {QStringLiteral("Liberation Sans Narrow")});
    // No free face is as heavy as Arial Black; the bold of Liberation Sans comes closest.
    QFont::insertSubstitutions(QStringLiteral("Arial Black"), {QStringLiteral("Liberation Sans")});
}
