// The floor: a bare Qt window with four big labels set from a clock every 10 ms. It links Qt
// alone, none of Pendrel's code.
#include "BenchSupport.h"

#include <QElapsedTimer>
#include <QLabel>
#include <QMainWindow>
#include <QMenuBar>

#include <cstring>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    // "startup" is a bare window; "startup-text" adds a menu and one line of text, to show what
    // the font system alone costs a window that draws any text.
    if (argc >= 2 && std::strncmp(argv[1], "startup", 7) == 0) {
        QuitOnFirstExpose quit;
        app.installEventFilter(&quit);
        QMainWindow window;
        window.resize(490, 190);
        if (std::strcmp(argv[1], "startup-text") == 0) {
            window.menuBar()->addMenu(QStringLiteral("Options"));
            window.setCentralWidget(new QLabel(QStringLiteral("00:00:00.00")));
        }
        window.show();
        return QApplication::exec();
    }
    if (argc < 3)
        return Usage(argv[0], "running|stopped");

    QFont::insertSubstitution(QStringLiteral("Arial Black"), QStringLiteral("Liberation Sans"));
    QMainWindow window;
    auto *panel = new QWidget;
    window.setCentralWidget(panel);
    window.resize(490, 190);
    QFont big(QStringLiteral("Arial Black"));
    big.setPixelSize(48);
    big.setBold(true);
    big.setItalic(true);
    QLabel *labels[4];
    const int lefts[4] = {65, 155, 236, 314};
    for (int i = 0; i < 4; ++i) {
        labels[i] = new QLabel(panel);
        labels[i]->setFont(big);
        labels[i]->setGeometry(lefts[i], 40, 92, 81);
    }
    QElapsedTimer clock;
    clock.start();
    QTimer timer;
    timer.setTimerType(Qt::PreciseTimer);
    QObject::connect(&timer, &QTimer::timeout, [&] {
        const qint64 ms = clock.elapsed();
        labels[0]->setText(QString::asprintf("%02lld:", ms / 3'600'000 % 24));
        labels[1]->setText(QString::asprintf("%02lld:", ms / 60'000 % 60));
        labels[2]->setText(QString::asprintf("%02lld.", ms / 1000 % 60));
        labels[3]->setText(QString::asprintf("%02lld", ms % 1000 / 10));
    });
    window.show();
    if (std::strcmp(argv[1], "running") == 0)
        timer.start(10);
    return MeasureCpu(std::atoi(argv[2]));
}
