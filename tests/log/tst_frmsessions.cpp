// The sessions window: the grid, the overlay editor, Delete Row, Clear Log and the closing steps.
#include "LogTestSupport.h"

#include "log/SessionsModel.h"
#include "log/frmSessions.h"
#include "ui_frmSessions.h"

class tst_frmsessions : public QObject
{
    Q_OBJECT

    std::optional<LogWorld> world;
    std::unique_ptr<frmSessions> window;
    inline static const QByteArray ThreeRows = "s1;t1;0 years, 0 days, 00:00:01.00\r\n"
                                               "s2;t2;0 years, 1 days, 00:00:02.00;old note\r\n"
                                               "s3;t3;2 years, 0 days, 00:00:03.00\r\n";

    static QStringList Messages()
    {
        QStringList texts;
        for (const MessageBox::Shown &shown : MessageBox::history())
            texts << shown.text;
        return texts;
    }
    void open(const QByteArray &log = ThreeRows) // a null log: the file as it stands
    {
        if (!log.isNull())
            world->writeLog(log);
        window = std::make_unique<frmSessions>();
        window->show();
        window->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(window.get()));
    }
    QTableView *grid() const { return window->controls()->grdSessions; }
    QLineEdit *editor() const { return window->controls()->Text1; }
    QRect cell(int r, int c) const { return grid()->visualRect(grid()->model()->index(r, c)); }
    void click(int row, int column)
    {
        QTest::mouseClick(grid()->viewport(), Qt::LeftButton, {}, cell(row, column).center());
    }

private slots:
    void init() { world.emplace(); }
    void cleanup() { window.reset(); }

    // Guards the editor's place, focus and text, which steps are changes, and Escape losing text.
    void editingACell()
    {
        open();
        click(0, 3); // the same empty text: no change
        QVERIFY(editor()->isVisible() && !window->modified());
        click(1, 3); // another text: a change
        QVERIFY(editor()->hasFocus() && window->modified() && editor()->text() == "old note");
        QCOMPARE(editor()->geometry(), cell(1, 3));
        QTest::keyClicks(editor(), ";x");
        QTest::keyClick(editor(), Qt::Key_Return);
        QVERIFY(QApplication::focusWidget() == grid() && !editor()->isVisible());
        QTest::keyClick(grid(), Qt::Key_F2); // the current cell again
        QTest::keyClicks(editor(), "!");
        QTest::keyClick(editor(), Qt::Key_Escape); // answered Yes
        QCOMPARE(Messages(), (QStringList{"Do you want to save the changes you made?", "Saved"}));
        QVERIFY(!window->isVisible() &&
                world->logBytes().contains("\r\ns2;t2;1 days, 00:00:02.00;old note;x!\r\ns3"));
    }

    // Guards deleting without asking, a deletion lost on close, and a cleared log with bytes.
    void deleteRowAndClearLog()
    {
        open();
        grid()->setCurrentIndex(window->model()->index(1, 0));
        MessageBox::setNextAnswer(MessageBox::No);
        window->controls()->cmdDeleteRow->click();
        QVERIFY(window->model()->rowCount() == 3 && !window->modified());
        window->controls()->cmdDeleteRow->click(); // answered Yes
        QCOMPARE(Messages().at(1), QString("Are you sure you want to delete the selected row?"));
        window->cmdClose_Click();
        QCOMPARE(world->logBytes(), "s1;t1;00:00:01.00;\r\ns3;t3;2 years, 00:00:03.00;\r\n");
        open({});
        window->controls()->cmdClearLog->click();
        QVERIFY(Messages().last() == "Session Log cleared" && window->model()->rowCount() == 0);
        QCOMPARE(world->logBytes(), QByteArray()); // there, and empty
    }

    // Guards a folder in the log's place being written over, or passed over in silence.
    void unreadableLogIsReportedAndNotOverwritten()
    {
        QDir().mkpath(world->logFile());
        open({});
        QCOMPARE(MessageBox::history().value(0).kind, MessageBox::Error);
        window->cmdClose_Click();
        QVERIFY(MessageBox::history().size() == 1 && QFileInfo(world->logFile()).isDir());
    }

    // Guards a failed save that cuts the log, closes or says "Saved", and a No that saves.
    void failedSaveKeepsTheFileAndTheWindow()
    {
        open();
        click(1, 3);
        QTest::keyClicks(editor(), QString(300, 'x'));
        (FileSizeLimit(ThreeRows.size()), window->cmdClose_Click()); // answered Yes
        QVERIFY(window->isVisible() && !Messages().contains("Saved"));
        QCOMPARE(MessageBox::history().last().kind, MessageBox::Error);
        MessageBox::setNextAnswer(MessageBox::No);
        window->cmdClose_Click();
        QVERIFY(!window->isVisible() && world->logBytes() == ThreeRows);
    }
};

QTEST_MAIN(tst_frmsessions)
#include "tst_frmsessions.moc"
