#include "ui/SessionEnd.h"

#include <QGuiApplication>
#include <QSessionManager>
#include <QSocketNotifier>

#include <csignal>
#include <sys/socket.h>
#include <unistd.h>

namespace {
int signalPipe[2] = {-1, -1};

// All a signal handler may do: a byte down the pipe, read back in the event loop.
void OnSignal(int)
{
    const char byte = 1;
    (void)!::write(signalPipe[1], &byte, 1);
}
} // namespace

SessionEnd &SessionEnd::Instance()
{
    static SessionEnd instance;
    return instance;
}

void SessionEnd::Install()
{
    QObject::connect(qApp, &QGuiApplication::commitDataRequest, qApp, [](QSessionManager &manager) {
        const bool mayAsk = manager.allowsInteraction();
        Instance().End(mayAsk);
        if (mayAsk)
            manager.release();
    });
    if (::socketpair(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0, signalPipe) != 0)
        return;
    auto *notifier = new QSocketNotifier(signalPipe[0], QSocketNotifier::Read, qApp);
    QObject::connect(notifier, &QSocketNotifier::activated, qApp, [notifier] {
        char byte = 0;
        (void)!::read(signalPipe[0], &byte, 1);
        notifier->setEnabled(false);
        Instance().End(false);
        // The main window then closes as if its user closed it, and the count is kept.
        QCoreApplication::quit();
    });
    struct sigaction action = {};
    action.sa_handler = OnSignal;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    for (const int number : {SIGTERM, SIGHUP, SIGINT})
        ::sigaction(number, &action, nullptr);
}

void SessionEnd::End(bool mayAsk)
{
    emit ending(mayAsk);
}
