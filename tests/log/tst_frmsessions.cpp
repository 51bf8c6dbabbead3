// The sessions window: the grid, the overlay editor, Delete Row, Clear Log and the closing steps.
#include "LogTestSupport.h"

#include "app/frmMain.h"
#include "log/SessionsModel.h"
#include "log/frmSessions.h"
#include "ui_frmSessions.h"

#include <QHeaderView>
#include <QTimer>
#include <QtTest>

namespace {
const QByteArray ThreeRows = "s1;t1;0 years, 0 days, 00:00:01.00\r\n"
                             "s2;t2;0 years, 1 days, 00:00:02.00;old note\r\n"
                             "s3;t3;2 years, 0 days, 00:00:03.00\r\n";

QStringList Messages()
{
    QStringList texts;
    for (const MessageBox::Shown &shown : MessageBox::history())
        texts << shown.text;
    return texts;
}
} // namespace

class tst_frmsessions : public QObject
{
    Q_OBJECT

    std::unique_ptr<LogWorld> world;
    std::unique_ptr<frmSessions> window;

    // Opens a sessions window, shown and active, on the log as it stands.
    frmSessions &open()
    {
        window = std::make_unique<frmSessions>();
        window->show();
        window->activateWindow();
        if (!QTest::qWaitForWindowActive(window.get()))
            qWarning("the sessions window did not become active");
        return *window;
    }
    QTableView *grid() const { return window->controls()->grdSessions; }
    QLineEdit *editor() const { return window->controls()->Text1; }
    void click(int row, int column)
    {
        const QRect cell = grid()->visualRect(window->model()->index(row, column));
        QTest::mouseClick(grid()->viewport(), Qt::LeftButton, {}, cell.center());
    }

private slots:
    void init() { world = std::make_unique<LogWorld>(); }
    void cleanup()
    {
        window.reset();
        world.reset();
    }

    void opensOnTheGridAndClosesUntouchedWithoutAsking()
    {
        open();
        QCOMPARE(world->logBytes(), QByteArray()); // created, empty
        QCOMPARE(window->model()->rowCount(), 0);
        QCOMPARE(QApplication::focusWidget(), grid());
        QVERIFY(!editor()->isVisible());
        window.reset();

        world->writeLog(ThreeRows);
        open();
        QCOMPARE(window->model()->rowCount(), 3);
        window->controls()->cmdClose->click();
        QVERIFY(!window->isVisible());
        QVERIFY(MessageBox::history().isEmpty());
        QCOMPARE(world->logBytes(), ThreeRows);
    }
    // Taking a cell's text into the editor is a change only when the editor held another text.
    void clickOpensTheEditorOverTheCell()
    {
        world->writeLog(ThreeRows);
        open();
        click(0, 3); // empty comment, editor still empty
        QVERIFY(editor()->isVisible());
        QVERIFY(!window->modified());
        click(1, 3);
        QVERIFY(editor()->hasFocus());
        QCOMPARE(editor()->text(), QString("old note"));
        QCOMPARE(editor()->geometry(), grid()->visualRect(window->model()->index(1, 3)));
        QVERIFY(window->modified());
        QCOMPARE(window->model()->cell(0, 3), QString());

        window->controls()->cmdClearLog->setFocus(Qt::TabFocusReason);
        QVERIFY(!editor()->isVisible());
    }
    void editorFollowsAScrolledGrid()
    {
        QByteArray many;
        for (int i = 0; i < 200; ++i)
            many += "s;t;" + QByteArray::number(i) + "\r\n";
        world->writeLog(many);
        open();
        grid()->scrollToBottom();
        click(190, 2);
        const QRect cell = grid()->visualRect(window->model()->index(190, 2));
        QCOMPARE(editor()->geometry(), cell);
        QVERIFY(grid()->viewport()->rect().contains(cell));
        QCOMPARE(editor()->text(), QString("190"));
    }

    void typingGoesIntoTheCellAndEnterKeepsIt()
    {
        world->writeLog(ThreeRows);
        open();
        click(0, 3);
        QTest::keyClick(editor(), Qt::Key_X);
        QTest::keyClick(editor(), Qt::Key_Backspace);
        QVERIFY(window->modified()); // typed back to what it was
        QTest::keyClick(editor(), Qt::Key_H);
        QCOMPARE(window->model()->cell(0, 3), QString("h"));
        QTest::keyClicks(editor(), "i;there");
        QTest::keyClick(editor(), Qt::Key_Return);
        QVERIFY(!editor()->isVisible());
        QCOMPARE(QApplication::focusWidget(), grid());
        QCOMPARE(window->model()->cell(0, 3), QString("hi;there"));

        MessageBox::setNextAnswer(MessageBox::Yes);
        window->controls()->cmdClose->click();
        QCOMPARE(Messages(), (QStringList{"Do you want to save the changes you made?", "Saved"}));
        QCOMPARE(MessageBox::history()[1].kind, MessageBox::Plain);
        QCOMPARE(world->logBytes(), QByteArray("s1;t1;00:00:01.00;hi;there\r\n"
                                               "s2;t2;1 days, 00:00:02.00;old note\r\n"
                                               "s3;t3;2 years, 00:00:03.00;\r\n"));
    }

    void keyboardOpensTheEditorOnTheCurrentCell()
    {
        world->writeLog(ThreeRows);
        open();
        QTest::keyClick(grid(), Qt::Key_Down); // from the first cell to the second row
        QTest::keyClick(grid(), Qt::Key_F2);
        QVERIFY(editor()->isVisible());
        QCOMPARE(editor()->text(), QString("s2"));
        QTest::keyClick(editor(), Qt::Key_Return);
        QVERIFY(!editor()->isVisible());
        QTest::keyClick(grid(), Qt::Key_Return);
        QVERIFY(editor()->hasFocus());
    }

    void unreadableLogIsReportedAndNotOverwritten()
    {
        QDir().mkpath(world->logFile()); // a folder where the file should be
        open();
        QCOMPARE(MessageBox::history().size(), 1);
        QCOMPARE(MessageBox::history()[0].kind, MessageBox::Error);
        QCOMPARE(window->model()->rowCount(), 0);
        window->cmdClose_Click();
        QCOMPARE(MessageBox::history().size(), 1);
        QVERIFY(QFileInfo(world->logFile()).isDir());
    }

    void escapeWhileEditingAsksAndSaves()
    {
        world->writeLog(ThreeRows);
        open();
        click(2, 3);
        QTest::keyClicks(editor(), "late");
        MessageBox::setNextAnswer(MessageBox::Yes);
        QTest::keyClick(editor(), Qt::Key_Escape);
        QCOMPARE(Messages(), (QStringList{"Do you want to save the changes you made?", "Saved"}));
        QVERIFY(!window->isVisible());
        QVERIFY(world->logBytes().endsWith("s3;t3;2 years, 00:00:03.00;late\r\n"));
    }

    void closeBoxAsksOnceAndNoKeepsTheFile()
    {
        world->writeLog(ThreeRows);
        open();
        click(1, 3);
        QTest::keyClicks(editor(), " and more");
        MessageBox::setNextAnswer(MessageBox::No);
        QVERIFY(window->close());
        QCOMPARE(Messages(), QStringList{"Do you want to save the changes you made?"});
        QVERIFY(!window->isVisible());
        QCOMPARE(world->logBytes(), ThreeRows);
    }

    void deleteRow()
    {
        world->writeLog(ThreeRows);
        open();
        grid()->setCurrentIndex(window->model()->index(1, 0));
        MessageBox::setNextAnswer(MessageBox::No);
        window->controls()->cmdDeleteRow->click();
        QCOMPARE(window->model()->rowCount(), 3);
        QVERIFY(!window->modified());

        window->controls()->cmdDeleteRow->click(); // answered Yes
        QCOMPARE(Messages(), QStringList(2, "Are you sure you want to delete the selected row?"));
        QCOMPARE(MessageBox::history()[0].kind, MessageBox::Question);
        QCOMPARE(window->model()->rowCount(), 2);
        QCOMPARE(window->model()->cell(1, 0), QString("s3"));
        // Not yet in the file, but closing must not drop the deletion without asking.
        QCOMPARE(world->logBytes(), ThreeRows);
        QVERIFY(window->modified());
        window->cmdClose_Click();
        QCOMPARE(world->logBytes(), QByteArray("s1;t1;00:00:01.00;\r\n"
                                               "s3;t3;2 years, 00:00:03.00;\r\n"));
    }

    void clearLogEmptiesTheFileAtOnce()
    {
        world->writeLog(ThreeRows);
        open();
        click(1, 3); // modified
        window->controls()->cmdClearLog->click();
        QCOMPARE(Messages(), QStringList{"Session Log cleared"});
        QCOMPARE(MessageBox::history()[0].kind, MessageBox::Information);
        QCOMPARE(window->model()->rowCount(), 0);
        QVERIFY(QFile::exists(world->logFile()));
        QCOMPARE(world->logBytes(), QByteArray());
        // Still modified: Yes rewrites an empty file.
        window->cmdClose_Click();
        QCOMPARE(Messages().size(), 3);
        QCOMPARE(world->logBytes(), QByteArray());
    }

    void failedSaveKeepsTheFileAndTheWindow()
    {
        world->writeLog(ThreeRows);
        open();
        click(0, 3);
        QTest::keyClicks(editor(), QString(300, QLatin1Char('x')));
        {
            FileSizeLimit limit(ThreeRows.size());
            window->cmdClose_Click(); // Yes
        }
        QCOMPARE(MessageBox::history().size(), 2);
        QCOMPARE(MessageBox::history()[1].kind, MessageBox::Error);
        QVERIFY(!Messages().contains("Saved"));
        QVERIFY(window->isVisible());
        QCOMPARE(world->logBytes(), ThreeRows);
        QCOMPARE(window->model()->cell(0, 3), QString(300, QLatin1Char('x')));

        MessageBox::setNextAnswer(MessageBox::No);
        window->cmdClose_Click();
        QVERIFY(!window->isVisible());
        QCOMPARE(world->logBytes(), ThreeRows);
    }

    void optionsSessionsOpensItModalOverTheMainWindow()
    {
        frmMain main;
        bool opened = false;
        QWidget *parent = nullptr;
        QTimer::singleShot(0, [&] {
            if (auto *sessions = qobject_cast<frmSessions *>(QApplication::activeModalWidget())) {
                opened = true;
                parent = sessions->parentWidget();
                sessions->cmdClose_Click();
            }
        });
        main.mnuSessions_Click();
        QVERIFY(opened);
        QCOMPARE(parent, &main);
        QVERIFY(!QApplication::activeModalWidget());
    }
};

QTEST_MAIN(tst_frmsessions)
#include "tst_frmsessions.moc"
