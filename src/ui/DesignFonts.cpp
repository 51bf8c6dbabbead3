#include "ui/DesignFonts.h"

#include <QFileInfo>
#include <QFont>
#include <QFontMetricsF>
#include <QImageReader>
#include <QLabel>
#include <QPixmap>
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

void PlaceDigitTops(QLabel *label, int top)
{
    const QFontMetricsF metrics(label->font());
    // Lines are laid out on whole pixels: the baseline stands a rounded ascent below the top.
    const qreal digitsTop =
        qRound(metrics.ascent()) + metrics.tightBoundingRect(QStringLiteral("0123456789")).top();
    label->setContentsMargins(0, qMax(0, qRound(top - digitsTop)), 0, 0);
}

void FitOnOneLine(QLabel *label)
{
    const QString text = label->text();
    const QRect inside = label->contentsRect();
    QFont font = label->font();
    int pixels = label->property("pixelSize").toInt();
    for (; pixels > 1; --pixels) {
        font.setPixelSize(pixels);
        const QFontMetrics metrics(font);
        // Italic ink may reach past the advance on either side.
        const QRect ink = metrics.boundingRect(text);
        const int width =
            qMax(metrics.horizontalAdvance(text), ink.right() + 1) - qMin(0, ink.left());
        if (width <= inside.width() && metrics.height() <= inside.height())
            break;
    }
    font.setPixelSize(pixels);
    label->setFont(font);
}

void InitDesignResources()
{
    // Pendrel's code is a static library, whose resource initialiser the linker would drop.
    Q_INIT_RESOURCE(resources);
}

QPixmap DesignImage(const QString &path)
{
    QImageReader reader(path, QFileInfo(path).suffix().toLatin1());
    reader.setAutoDetectImageFormat(false);
    return QPixmap::fromImage(reader.read());
}

void RegisterFontSubstitutions()
{
    QFont::insertSubstitutions(QStringLiteral("Arial"), {QStringLiteral("Liberation Sans")});
    QFont::insertSubstitutions(QStringLiteral("Arial Narrow"),
                               {QStringLiteral("Liberation Sans Narrow")});
    // No free face is as heavy as Arial Black; the bold of Liberation Sans comes closest.
    QFont::insertSubstitutions(QStringLiteral("Arial Black"), {QStringLiteral("Liberation Sans")});
}
