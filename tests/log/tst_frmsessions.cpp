// The Sessions window through its controls: editing, deleting, clearing and saving.
#include "TestSupport.h"

#include "log/SessionLog.h"
#include "log/frmSessions.h"
#include "ui/SessionEnd.h"

class tst_frmsessions : public QObject
{
    Q_OBJECT

    std::optional<TestWorld> world;
    std::unique_ptr<frmSessions> window;
    inline static const QByteArray ThreeRows = "s1;t1;0 years, 0 days, 00:00:01.00\r\n"
                                               "s2;t2;0 years, 1 days, 00:00:02.00;old note\r\n"
                                               "s3;t3;2 years, 0 days, 00:00:03.00\r\n";
    inline static const QByteArray Saved = "s1;t1;00:00:01.00;\r\n"
                                           "s2;t2;1 days, 00:00:02.00;old note!\r\n"
                                           "s3;t3;2 years, 00:00:03.00;\r\n";

    void open(const QByteArray &log = ThreeRows) // a null log: the file as it stands
    {
        if (!log.isNull())
            world->writeLog(log);
        window = std::make_unique<frmSessions>();
        window->show();
        window->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(window.get()));
    }
    QTableView *grid() const { return Control<QTableView>(window.get(), "grdSessions"); }
    QLineEdit *editor() const { return Control<QLineEdit>(window.get(), "Text1"); }
    void press(const char *button) const { Click(window.get(), button); }
    void click(int row, int column)
    {
        const QPoint centre = grid()->visualRect(grid()->model()->index(row, column)).center();
        QTest::mouseClick(grid()->viewport(), Qt::LeftButton, {}, centre);
    }

private slots:
    void init() { world.emplace(); }
    void cleanup()
    {
        window.reset();
        world.reset();
    }

    // Keys and a switch of programs neither move nor end an edit, saved on Escape or session end.
    void editingACell_data()
    {
        QTest::addColumn<QString>("end");
        QTest::addColumn<int>("boxes"); // shown: the question and "Saved"
        QTest::newRow("Escape") << "Escape" << 2;
        QTest::newRow("session end, asked") << "asked" << 2;
        QTest::newRow("session end, not asked") << "unasked" << 0;
    }
    void editingACell()
    {
        QFETCH(QString, end);
        open();
        click(1, 3);
        for (const Qt::Key key : {Qt::Key_Up, Qt::Key_PageDown, Qt::Key_Down, Qt::Key_End})
            QTest::keyClick(editor(), key);
        QWidget otherProgram;
        otherProgram.show();
        otherProgram.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&otherProgram));
        window->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(window.get()));
        QTest::keyClicks(QApplication::focusWidget(), ";x");
        QTest::keyClick(editor(), Qt::Key_Return);
        QTest::keyClick(grid(), Qt::Key_F2); // the current cell again
        QTest::keyClicks(editor(), "!");
        if (end == "Escape")
            QTest::keyClick(editor(), Qt::Key_Escape); // closes; answered Yes
        else
            SessionEnd::Instance().End(end == "asked");
        QCOMPARE(world->logBytes(), QByteArray(Saved).replace("note!", "note;x!"));
        QTEST(int(MessageBox::history().size()), "boxes");
    }

    // Delete Row takes the selected row; Clear Log empties the log only once it is backed up.
    void deleteRowAndClearLog()
    {
        open();
        QTest::keyClick(grid(), Qt::Key_Down); // the keyboard's way to the second row
        press("cmdDeleteRow");                 // answered Yes
        press("cmdClose");                     // Yes, save
        const QByteArray twoRows = "s1;t1;00:00:01.00;\r\ns3;t3;2 years, 00:00:03.00;\r\n";
        QCOMPARE(world->logBytes(), twoRows);
        open({});
        {
            FileSizeLimit limit(16); // too small for the backup
            press("cmdClearLog");
        }
        QCOMPARE(world->logBytes(), twoRows);
        press("cmdClearLog");
        QCOMPARE(grid()->model()->rowCount(), 0);
        QCOMPARE(world->logBytes(), QByteArray()); // there, and empty
        QCOMPARE(world->logBytes(world->logFile() + ".bak"), twoRows);
    }

    // A failed save keeps window, edits and log; a log replaced meanwhile is overwritten on Yes.
    void saving()
    {
        open();
        click(1, 3);
        QTest::keyClicks(editor(), "!"); // "old note!"
        {
            FileSizeLimit limit(16);
            press("cmdClose"); // answered Yes
        }
        QVERIFY(window->isVisible());
        QCOMPARE(world->logBytes(), ThreeRows);
        world->writeLog("x;y;z\r\n"); // saved, cleared or edited meanwhile
        MessageBox::setNextAnswer(MessageBox::Yes);
        MessageBox::setNextAnswer(MessageBox::No); // don't replace it
        press("cmdClose");
        QCOMPARE(world->logBytes(), "x;y;z\r\n");
        press("cmdClose"); // Yes, and Yes: replace it
        QCOMPARE(world->logBytes(), Saved);
        QCOMPARE(world->logBytes(world->logFile() + ".bak"), "x;y;z\r\n");
    }

    // A log too big to open left alone; a long cell kept whole; an older system's log as UTF-8.
    void bigAndOldLogs()
    {
        world->writeLog("");
        QVERIFY(QFile::resize(world->logFile(), SessionLog::MaxReadBytes + 1)); // sparse: quick
        open({});
        QVERIFY(MessageBox::history().value(0).text.contains("logs of up to 32 MB"));
        press("cmdClose");
        QCOMPARE(QFileInfo(world->logFile()).size(), SessionLog::MaxReadBytes + 1);
        const QByteArray comment(40'000, 'c'),
            legacy = "s;t;e;" + comment + "\xe9\r\nu;v;w;Na\xefve";
        open(legacy);
        click(0, 3);
        editor()->insert("\tend"); // as pasted
        press("cmdClose");         // answered Yes
        QCOMPARE(world->logBytes(), "s;t;e;" + comment + "\xc3\xa9 end\r\nu;v;w;na\xc3\xafve\r\n");
        QCOMPARE(world->logBytes(world->logFile() + ".bak"), legacy);
    }
};

QTEST_MAIN(tst_frmsessions)
#include "tst_frmsessions.moc"
