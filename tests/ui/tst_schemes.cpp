// Every window under a dark colour scheme and a desktop font far larger than the designs': the
// text still reads on every background, the fixed ones above all, and no fixed layout is cut.
#include "log/LogTestSupport.h"

#include "app/frmMain.h"
#include "compact/frmCompact.h"
#include "help/frmHelp.h"
#include "log/frmSessions.h"
#include "settings/frmCustomize.h"
#include "ui/Readable.h"

#include <QCheckBox>
#include <QHeaderView>
#include <QMenuBar>
#include <QStyle>
#include <QTableView>

namespace {
QPalette Dark()
{
    QPalette dark;
    const std::pair<QPalette::ColorRole, QColor> roles[] = {
        {QPalette::Window, QColor(0x35, 0x35, 0x35)},    {QPalette::WindowText, Qt::white},
        {QPalette::Base, QColor(0x2a, 0x2a, 0x2a)},      {QPalette::Text, Qt::white},
        {QPalette::Button, QColor(0x35, 0x35, 0x35)},    {QPalette::ButtonText, Qt::white},
        {QPalette::Highlight, QColor(0x2a, 0x82, 0xda)}, {QPalette::HighlightedText, Qt::black}};
    for (const auto &[role, colour] : roles)
        dark.setColor(role, colour);
    return dark;
}

// As a desktop theme sets them: a scheme, and a font for everything.
void UseDesktop(bool dark, int fontPixels)
{
    QApplication::setPalette(dark ? Dark() : QApplication::style()->standardPalette());
    QFont font(QStringLiteral("DejaVu Sans"));
    font.setPixelSize(fontPixels);
    QApplication::setFont(font);
    for (const char *kind : {"QMenuBar", "QMenu", "QLabel", "QCheckBox", "QLineEdit",
                             "QAbstractItemView", "QHeaderView"})
        QApplication::setFont(font, kind);
}

double Luminance(QRgb pixel)
{
    return Readable::Contrast(QColor(pixel), Qt::black);
}

// The contrast of the ink in `area` of `window` with the ground around it: the pixel farthest
// from the median against the median.
double InkContrast(QWidget *window, const QRect &area)
{
    const QImage image = window->grab(area).toImage();
    std::vector<std::pair<double, QRgb>> pixels;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x)
            pixels.emplace_back(Luminance(image.pixel(x, y)), image.pixel(x, y));
    }
    if (pixels.empty())
        return 0;
    std::sort(pixels.begin(), pixels.end());
    const QColor ground(pixels[pixels.size() / 2].second);
    return qMax(Readable::Contrast(QColor(pixels.front().second), ground),
                Readable::Contrast(QColor(pixels.back().second), ground));
}

// Every text of `window` whose ink reads below 4.5:1, or that its control's rectangle cuts.
QStringList Faults(QWidget *window)
{
    QStringList faults;
    for (QLabel *label : window->findChildren<QLabel *>()) {
        if (label->text().isEmpty() || !label->isVisibleTo(window))
            continue;
        const QRect inside = label->contentsRect();
        const QFontMetrics metrics(label->font());
        // A wrapped text may reach a pixel or two below its rectangle, as the designs' own do,
        // but never a line more.
        const bool cut =
            label->wordWrap()
                ? label->heightForWidth(inside.width()) > inside.height() + metrics.height() / 4
                : metrics.horizontalAdvance(label->text()) > inside.width();
        if (cut)
            faults << label->objectName() + " cut";
        // Large text reads at 3:1, as the web's accessibility guidelines count it.
        const QFontInfo font(label->font());
        const bool large = font.pixelSize() >= 24 || (font.bold() && font.pixelSize() >= 19);
        const QRect area(label->mapTo(window, QPoint()), label->size());
        if (InkContrast(window, area & window->rect()) < (large ? 3.0 : 4.5))
            faults << label->objectName() + " unreadable";
    }
    for (QCheckBox *box : window->findChildren<QCheckBox *>()) {
        const int indicator = box->style()->pixelMetric(QStyle::PM_IndicatorWidth) +
                              box->style()->pixelMetric(QStyle::PM_CheckBoxLabelSpacing);
        if (box->fontMetrics().horizontalAdvance(box->text()) + indicator > box->width())
            faults << box->objectName() + " cut";
    }
    return faults;
}
} // namespace

class tst_schemes : public QObject
{
    Q_OBJECT

    int m_mainHeight = 0;

private slots:
    void everyWindow_data()
    {
        QTest::addColumn<bool>("dark");
        QTest::addColumn<int>("fontPixels");
        QTest::newRow("light scheme, a small desktop font") << false << 9;
        QTest::newRow("dark scheme, a large desktop font") << true << 20;
    }
    void everyWindow()
    {
        QFETCH(bool, dark);
        QFETCH(int, fontPixels);
        LogWorld world;
        world.writeLog("8:00 PM;9:00 PM;0 years, 1 days, 01:00:00.00;Met Anna\r\n");
        UseDesktop(dark, fontPixels);

        frmMain main(world.count, world.preferences);
        main.show();
        UseDesktop(dark, fontPixels); // some themes apply theirs once the program runs
        QCOMPARE(Faults(&main).join(", "), QString());
        // The menu bar, and so the window, are as high as under the designs' own font.
        if (m_mainHeight == 0)
            m_mainHeight = main.height();
        QCOMPARE(main.height(), m_mainHeight);
        Click(&main, "cmdStartStop"); // a day, and the warning shows in the count's place
        world.clock.advance(3 * 86'400'000LL);
        Fire(&main, "timDisplay");
        Fire(&main, "tmrWarning");
        QVERIFY(Control(&main, "lblWarning")->isVisible());
        QCOMPARE(Faults(&main).join(", "), QString());

        frmCompact compact(world.count);
        compact.show();
        QCOMPARE(Faults(&compact).join(", "), QString());
        frmCustomize customize(world.preferences);
        customize.show();
        QCOMPARE(Faults(&customize).join(", "), QString());
        frmHelp help;
        help.show();
        QCOMPARE(Faults(&help).join(", "), QString());

        frmSessions sessions;
        sessions.show();
        QCOMPARE(Faults(&sessions).join(", "), QString());
        auto *grid = Control<QTableView>(&sessions, "grdSessions");
        for (int column = 0; column < 4; ++column) {
            const QRect cell = grid->visualRect(grid->model()->index(0, column));
            const QRect area(grid->viewport()->mapTo(&sessions, cell.topLeft()), cell.size());
            QVERIFY2(InkContrast(&sessions, area) >= 4.5, qPrintable(QString::number(column)));
        }
        const QRect header(grid->horizontalHeader()->mapTo(&sessions, QPoint()),
                           grid->horizontalHeader()->size());
        QVERIFY(InkContrast(&sessions, header) >= 4.5);
        UseDesktop(false, 9);
    }
};

QTEST_MAIN(tst_schemes)
#include "tst_schemes.moc"
