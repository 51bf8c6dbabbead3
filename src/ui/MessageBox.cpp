#include "ui/MessageBox.h"

#include "ui/WindowSystem.h"

#include <QCloseEvent>
#include <QGridLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QMessageBox>

#include <memory>

namespace {
constexpr int MinimumWidth = 220;

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

std::function<void(QMessageBox &)> &inspector()
{
    static std::function<void(QMessageBox &)> inspect;
    return inspect;
}

// QMessageBox lets Escape and the close button answer No. A question waits for Yes or No.
class QuestionBox : public QMessageBox
{
public:
    using QMessageBox::QMessageBox;

protected:
    void keyPressEvent(QKeyEvent *event) override
    {
        if (event->matches(QKeySequence::Cancel))
            event->accept();
        else
            QMessageBox::keyPressEvent(event);
    }
    void closeEvent(QCloseEvent *event) override { event->ignore(); }
};
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

void MessageBox::setInspector(std::function<void(QMessageBox &)> inspect)
{
    inspector() = std::move(inspect);
}

MessageBox::Answer MessageBox::show(QWidget *parent, Kind kind, const QString &text)
{
    TestState &test = testState();
    if (test.on)
        test.history.append({kind, text});
    if (test.on && !inspector()) {
        if (kind != Question)
            return Ok;
        return test.answers.isEmpty() ? Yes : test.answers.takeFirst();
    }

    const std::unique_ptr<QMessageBox> owned = kind == Question
                                                   ? std::make_unique<QuestionBox>(parent)
                                                   : std::make_unique<QMessageBox>(parent);
    QMessageBox &box = *owned;
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
    // However short its text, a box is wide enough for a title bar to show its title beside
    // the window menu and the close box: "Saved" alone made one too narrow for "Pendrel".
    if (auto *grid = qobject_cast<QGridLayout *>(box.layout())) {
        grid->addItem(new QSpacerItem(MinimumWidth, 0), grid->rowCount(), 0, 1,
                      grid->columnCount());
    }
    // The icon says what kind of message this is, to those who can't see it too.
    if (auto *icon = box.findChild<QLabel *>(QStringLiteral("qt_msgboxex_icon_label")))
        icon->setAccessibleName(kind == Error ? QStringLiteral("Warning")
                                              : QStringLiteral("Information"));
    // Not every window manager keeps a box over its window out of the task bar by itself.
    if (parent)
        WindowSystem::KeepOffTaskBar(&box);
    if (inspector())
        inspector()(box);
    else
        box.exec();
    if (kind != Question)
        return Ok;
    return box.clickedButton() == box.button(QMessageBox::Yes) ? Yes : No;
}
