#include "ui/MessageBox.h"

#include <QMessageBox>

namespace {
struct TestState {
    bool on = false;
    QList<MessageBox::Answer> answers;
    QList<MessageBox::Shown> history;
};

TestState &testState()
{
    static TestState state;
    return state;
}
} // namespace

void MessageBox::message(QWidget *parent, const QString &text)
{
    show(parent, Plain, text);
}

void MessageBox::information(QWidget *parent, const QString &text)
{
    show(parent, Information, text);
}

void MessageBox::error(QWidget *parent, const QString &text)
{
    show(parent, Error, text);
}

MessageBox::Answer MessageBox::question(QWidget *parent, const QString &text)
{
    return show(parent, Question, text);
}

void MessageBox::setTestMode(bool on)
{
    testState() = TestState{};
    testState().on = on;
}

void MessageBox::setNextAnswer(Answer answer)
{
    testState().answers.append(answer);
}

QList<MessageBox::Shown> &MessageBox::history()
{
    return testState().history;
}

MessageBox::Answer MessageBox::show(QWidget *parent, Kind kind, const QString &text)
{
    TestState &test = testState();
    if (test.on) {
        test.history.append({kind, text});
        if (kind != Question)
            return Ok;
        return test.answers.isEmpty() ? Yes : test.answers.takeFirst();
    }

    QMessageBox box(parent);
    box.setWindowTitle(title());
    box.setText(text);
    box.setTextFormat(Qt::PlainText);
    switch (kind) {
    case Plain:
        box.setStandardButtons(QMessageBox::Ok);
        break;
    case Information:
        box.setIcon(QMessageBox::Information);
        box.setStandardButtons(QMessageBox::Ok);
        break;
    case Error:
        box.setIcon(QMessageBox::Warning);
        box.setStandardButtons(QMessageBox::Ok);
        break;
    case Question:
        box.setStandardButtons(QMessageBox::Yes | QMessageBox::No);
        box.setDefaultButton(QMessageBox::Yes);
        break;
    }
    const int pressed = box.exec();
    if (kind != Question)
        return Ok;
    return pressed == QMessageBox::Yes ? Yes : No;
}
