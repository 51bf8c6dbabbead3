#pragma once

#include <QList>
#include <QString>

class QWidget;

// Every message box of Pendrel goes through here, titled "Pendrel". Tests switch on the test
// mode: nothing is shown, each box is recorded and answered from a queue.
class MessageBox
{
public:
    enum Answer { Ok, Yes, No };
    enum Kind { Plain, Information, Question, Error };

    struct Shown {
        Kind kind;
        QString text;
    };

    static QString title() { return QStringLiteral("Pendrel"); }

    // OK only, no icon.
    static void message(QWidget *parent, const QString &text);
    // OK only, information icon.
    static void information(QWidget *parent, const QString &text);
    // OK only, warning icon: something could not be done.
    static void error(QWidget *parent, const QString &text);
    // Yes and No, Yes the default, no icon.
    static Answer question(QWidget *parent, const QString &text);

    static void setTestMode(bool on);
    // The answer of the next question in test mode; unqueued questions are answered Yes.
    static void setNextAnswer(Answer answer);
    static QList<Shown> &history();

private:
    static Answer show(QWidget *parent, Kind kind, const QString &text);
};
