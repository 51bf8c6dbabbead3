#include "ui/Readable.h"

#include <QEvent>
#include <QLabel>

#include <cmath>

namespace Readable {

namespace {
double Luminance(const QColor &colour)
{
    const auto channel = [](double value) {
        return value <= 0.04045 ? value / 12.92 : std::pow((value + 0.055) / 1.055, 2.4);
    };
    const QColor rgb = colour.toRgb();
    return 0.2126 * channel(rgb.redF()) + 0.7152 * channel(rgb.greenF()) +
           0.0722 * channel(rgb.blueF());
}

class ColourKeeper : public QObject
{
public:
    ColourKeeper(QLabel *label, const QColor &colour)
        : QObject(label)
        , m_label(label)
        , m_colour(colour)
    {
        label->installEventFilter(this);
        // A label with a style sheet hears of a new scheme only through its background.
        if (QWidget *ground = label->parentWidget())
            ground->installEventFilter(this);
        Apply();
    }

    bool eventFilter(QObject *, QEvent *event) override
    {
        if (event->type() == QEvent::PaletteChange)
            Apply();
        return false;
    }

private:
    void Apply()
    {
        // A transparent label shows its parent's background.
        const QWidget *ground = m_label->parentWidget() ? m_label->parentWidget() : m_label;
        const QColor wanted = On(m_colour, ground->palette().color(ground->backgroundRole()));
        QPalette palette = m_label->palette();
        if (palette.color(QPalette::WindowText) == wanted)
            return; // setting it again would come back here
        palette.setColor(QPalette::WindowText, wanted);
        m_label->setPalette(palette);
    }

    QLabel *m_label;
    QColor m_colour;
};
} // namespace

double Contrast(const QColor &a, const QColor &b)
{
    const double la = Luminance(a), lb = Luminance(b);
    return (qMax(la, lb) + 0.05) / (qMin(la, lb) + 0.05);
}

QColor On(const QColor &colour, const QColor &background, double ratio)
{
    if (Contrast(colour, background) >= ratio)
        return colour;
    // Towards white on a dark background, towards black on a light one, keeping the hue.
    const bool lighten = Luminance(background) < 0.18;
    const QColor target = lighten ? QColor(Qt::white) : QColor(Qt::black);
    QColor mixed = colour;
    for (int step = 1; step <= 20 && Contrast(mixed, background) < ratio; ++step) {
        const double t = step / 20.0;
        mixed = QColor::fromRgbF(colour.redF() + (target.redF() - colour.redF()) * t,
                                 colour.greenF() + (target.greenF() - colour.greenF()) * t,
                                 colour.blueF() + (target.blueF() - colour.blueF()) * t);
    }
    return mixed;
}

void KeepColour(QLabel *label, const QColor &colour)
{
    new ColourKeeper(label, colour);
}

} // namespace Readable
