#pragma once

#include <QList>
#include <QString>

#include <functional>

class QMessageBox;
class QWidget;

// Every message box of Pendrel goes through here, titled "Pendrel". A box with Yes and No ignores
// Escape and its close button: the user must choose. Tests switch on the test mode: nothing is
// shown, each box is recorded and answered from a queue; or they inspect the real box.
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
    // Instead of being shown, each real box, built as it would be shown, is handed to `inspect`,
    // which answers it by clicking one of its buttons. Comes before the test mode; empty: off.
    static void setInspector(std::function<void(QMessageBox &)> inspect);

private:
    static Answer show(QWidget *parent, Kind kind, const QString &text);
};
