// Every window on the work area, and under a dark scheme and a far larger font, readable and uncut.
#include "TestSupport.h"

#include "app/frmMain.h"
#include "compact/frmCompact.h"
#include "help/frmHelp.h"
#include "log/frmSessions.h"
#include "settings/frmCustomize.h"
#include "ui/Readable.h"

namespace {
// The pixel of `area` farthest from the median pixel, the ground, against it.
double InkContrast(QWidget *window, const QRect &area)
{
    const QImage image = window->grab(area).toImage().convertToFormat(QImage::Format_RGB32);
    const auto *bits = reinterpret_cast<const QRgb *>(image.constBits());
    std::vector<double> levels; // against black: the ratio of two levels is their contrast
    for (int i = 0; i < image.width() * image.height(); ++i)
        levels.push_back(Readable::Contrast(bits[i], Qt::black));
    if (levels.empty())
        return 0;
    std::sort(levels.begin(), levels.end());
    const double ground = levels[levels.size() / 2];
    return qMax(ground / levels.front(), levels.back() / ground);
}

// Texts below 4.5:1 (large ones 3:1), or cut: a wrapped one may overhang a pixel, not a line.
QStringList Faults(QWidget *window)
{
    QStringList faults;
    for (QLabel *label : window->findChildren<QLabel *>()) {
        if (label->text().isEmpty() || !label->isVisibleTo(window) ||
            label->visibleRegion().isEmpty()) // hidden, or covered by the warning
            continue;
        const QRect inside = label->contentsRect();
        const QFontMetrics metrics(label->font());
        const bool cut =
            label->wordWrap()
                ? label->heightForWidth(inside.width()) > inside.height() + metrics.height() / 4
                : metrics.horizontalAdvance(label->text()) > inside.width();
        const QRect area(label->mapTo(window, QPoint()), label->size());
        if (cut || area.top() + inside.top() + metrics.height() > window->height())
            faults << label->objectName() + " cut";
        const QFontInfo font(label->font());
        const bool large = font.pixelSize() >= 24 || (font.bold() && font.pixelSize() >= 19);
        if (InkContrast(window, area & window->rect()) < (large ? 3.0 : 4.5))
            faults << label->objectName() + " unreadable";
    }
    return faults;
}
} // namespace

class tst_schemes : public QObject
{
    Q_OBJECT

private slots:
    // Placed on the work area, one icon shared, never maximized or full screen; then dark, large.
    void everyWindow_data()
    {
        QTest::addColumn<QRect>("area"); // null: the test desktop's own
        QTest::newRow("panels") << QRect();
        QTest::newRow("1366x768 at 125 %") << QRect(0, 0, 1092, 584);
    }
    void everyWindow()
    {
        QFETCH(QRect, area);
        TestWorld world;
        if (!area.isNull())
            WindowSystem::SetDesktopWorkArea([area] { return area; });
        world.writeLog("8:00 PM;9:00 PM;0 years, 1 days, 01:00:00.00;Met Anna\r\n");
        frmMain main(world.count, world.preferences);
        frmCompact compact(world.count);
        frmCustomize customize(world.preferences);
        frmHelp help;
        frmSessions sessions;
        const QList<QWidget *> framed = {&main, &customize, &help, &sessions};
        const QList<QWidget *> windows = framed + QList<QWidget *>{&compact};
        for (QWidget *window : windows)
            window->show();
        QCoreApplication::processEvents(); // framed and exposed
        const QRect workArea = WindowSystem::WorkArea(main.screen());
        for (QWidget *window : framed) {
            QCOMPARE(window->frameGeometry().center(), workArea.center());
            QVERIFY2(workArea.contains(window->frameGeometry()), qPrintable(window->objectName()));
        }
        auto *close = Control<QPushButton>(&help, "cmdClose");
        if (auto *scroll = help.findChild<QScrollArea *>()) // put round Help where it outgrows
            scroll->ensureWidgetVisible(close);
        QCOMPARE(close->visibleRegion().boundingRect(), close->rect());
        QCOMPARE(sessions.windowIcon().cacheKey(), customize.windowIcon().cacheKey()); // no leak
        for (QWidget *window : windows) {
            const QSize size = window->size();
            for (const Qt::WindowState state : {Qt::WindowMaximized, Qt::WindowFullScreen}) {
                window->windowHandle()->setWindowStates(state); // as Qt's title bar on Wayland
                QCoreApplication::processEvents();
                QCOMPARE(window->size(), size);
            }
        }
        const int height = main.height();
        const auto putBack = qScopeGuard([palette = QApplication::palette(), font = qApp->font()] {
            QApplication::setPalette(palette);
            for (const char *kind :
                 {"QMenuBar", "QMenu", "QLabel", static_cast<const char *>(nullptr)})
                QApplication::setFont(font, kind);
        });
        const QColor grey(0x35, 0x35, 0x35); // as a desktop theme sets them, while Pendrel runs
        QApplication::setPalette(QPalette(grey, grey)); // white text, black fields
        QFont font(QStringLiteral("DejaVu Sans"));
        font.setPixelSize(20);
        QApplication::setFont(font);
        for (const char *kind : {"QMenuBar", "QMenu", "QLabel"})
            QApplication::setFont(font, kind);
        QCoreApplication::processEvents(); // the windows hear of it
        for (QWidget *window : windows)
            QCOMPARE(window->objectName() + Faults(window).join(", "), window->objectName());
        QCOMPARE(main.height(), height); // the menu bar keeps the designs' font
        compact.close();                 // which holds the warnings while it shows
        Click(&main, "cmdStartStop");    // "10 Years" and "100 Days" keep their units in view
        world.tick(&main, (10 * 365 + 100) * Day);
        QCOMPARE(Faults(&main).join(", "), QString());
        Fire(&main, "tmrWarning"); // and the warning shows in the count's place
        QVERIFY(Control(&main, "lblWarning")->isVisible());
        QCOMPARE(Faults(&main).join(", "), QString());
        const QHeaderView *top = Control<QTableView>(&sessions, "grdSessions")->horizontalHeader();
        const QPoint band = top->mapTo(&sessions, QPoint(top->length() + 4, top->height() / 2));
        QCOMPARE(QColor(sessions.grab().toImage().pixel(band)).name(), "#808080"); // as the cells
    }
};

QTEST_MAIN(tst_schemes)
#include "tst_schemes.moc"
