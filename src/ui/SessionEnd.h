#pragma once

#include <QObject>

// The end of the desktop session (logout, shutdown) and SIGTERM, SIGHUP or SIGINT: every window
// keeps what it holds before Pendrel ends.
class SessionEnd : public QObject
{
    Q_OBJECT

public:
    static SessionEnd &Instance();
    // Listens to the session manager, and ends Pendrel on those signals, once told.
    static void Install();

    // Tells everyone; `mayAsk`: the session manager lets Pendrel ask the user.
    void End(bool mayAsk);

signals:
    void ending(bool mayAsk);
};
