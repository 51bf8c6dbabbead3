#include "ui/DesignFonts.h"

#include <QFont>
#include <QFontMetricsF>
#include <QHash>
#include <QLabel>
#include <QVariant>
#include <QWidget>

#include <fontconfig/fontconfig.h>

#include <thread>

namespace {
// The one reading of the font configuration ahead of time; joined before the first font is used,
// or at exit.
class AheadOfTime
{
public:
    ~AheadOfTime() { wait(); }
    void begin()
    {
        if (!m_thread.joinable())
            m_thread = std::thread([] { FcInit(); });
    }
    void wait()
    {
        if (m_thread.joinable())
            m_thread.join();
    }

private:
    std::thread m_thread;
};

AheadOfTime &FontReader()
{
    static AheadOfTime reader;
    return reader;
}

void ApplyFont(QWidget *widget)
{
    const QVariant pixels = widget->property("pixelSize");
    if (!pixels.isValid())
        return;
    QFont font = widget->font();
    font.setPixelSize(pixels.toInt());
    // Ask for the face that stands in for the design's font, and for it alone: a family the
    // system lacks costs a search through all its fallbacks, and so does a second family, at
    // start-up, before the window shows. A glyph the face lacks still comes from a fallback.
    font.setFamily(QFont::substitute(font.family()));
    widget->setFont(font);
}
} // namespace

QFont DialogFont()
{
    QFont dialog(QStringLiteral("Liberation Sans"));
    dialog.setPixelSize(DialogFontPixels);
    return dialog;
}

void ApplyDesignFonts(QWidget *root)
{
    FontReader().wait();
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
    // The digits' outlines are measured once a face: the count's four labels share one.
    static QHash<QString, qreal> measured;
    const QFont font = label->font();
    auto digitsTop = measured.find(font.key());
    if (digitsTop == measured.end()) {
        const QFontMetricsF metrics(font);
        const QRectF digits = metrics.tightBoundingRect(QStringLiteral("0123456789"));
        // Lines are laid out on whole pixels: the baseline stands a rounded ascent below the top.
        digitsTop = measured.insert(font.key(), qRound(metrics.ascent()) + digits.top());
    }
    label->setContentsMargins(0, qMax(0, qRound(top - *digitsTop)), 0, 0);
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

void BeginReadingFonts()
{
    // The toolkit reads the same configuration with the same call when it first needs a font;
    // by then it is loaded and the call returns at once. Both may run at the same time safely.
    FontReader().begin();
}

void RegisterFontSubstitutions()
{
    QFont::insertSubstitutions(QStringLiteral("Arial"), {QStringLiteral("Liberation Sans")});
    QFont::insertSubstitutions(QStringLiteral("Arial Narrow"),
                               {QStringLiteral("Liberation Sans Narrow")});
    // No free face is as heavy as Arial Black; the bold of Liberation Sans comes closest.
    QFont::insertSubstitutions(QStringLiteral("Arial Black"), {QStringLiteral("Liberation Sans")});
}
