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
    // Ask for the face that stands in for the design's font first: a family the system lacks
    // costs a search through all its fallbacks, at start-up, before the window shows.
    const QString face = QFont::substitute(font.family());
    if (face != font.family())
        font.setFamilies({face, font.family()});
    widget->setFont(font);
}
} // namespace

QFont DialogFont()
{
    QFont dialog(QStringLiteral("Liberation Sans"));
    dialog.setFamilies({QStringLiteral("Liberation Sans"), QStringLiteral("Arial")});
    dialog.setPixelSize(DialogFontPixels);
    return dialog;
}

void ApplyDesignFonts(QWidget *root)
{
    // What the design leaves to the default font, the window's menus included, takes the
    // designs' dialog font, set on the window itself so that no desktop font, applied before
    // or after, can outgrow the fixed layout.
    root->setFont(DialogFont());
    ApplyFont(root);
    const auto widgets = root->findChildren<QWidget *>();
    for (QWidget *widget : widgets) {
        // A menu is a window of its own, and a control with a style sheet inherits no font:
        // neither takes the window's.
        const bool inherits = !widget->isWindow() && widget->styleSheet().isEmpty();
        if (!inherits && !widget->testAttribute(Qt::WA_SetFont))
            widget->setFont(DialogFont());
        ApplyFont(widget);
    }
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
