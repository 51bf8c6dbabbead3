// The sessions window, driven through its controls: editing cells, deleting rows, clearing and
// saving the log, the questions it asks, and logs that another copy changed or an older system
// wrote.
#include "TestSupport.h"

#include "log/SessionLog.h"
#include "log/frmSessions.h"

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
    QTableView *grid() const { return Control<QTableView>(window.get(), "grdSessions"); }
    QLineEdit *editor() const { return Control<QLineEdit>(window.get(), "Text1"); }
    void press(const char *button) const { Click(window.get(), button); }
    int rows() const { return grid()->model()->rowCount(); }
    QModelIndex index(int row, int column) const { return grid()->model()->index(row, column); }
    void click(int row, int column)
    {
        const QPoint centre = grid()->visualRect(index(row, column)).center();
        QTest::mouseClick(grid()->viewport(), Qt::LeftButton, {}, centre);
    }
    void typeIntoOldNote() // the second row's comment gets a "!"
    {
        click(1, 3);
        QTest::keyClicks(editor(), "!");
    }

private slots:
    void init() { world.emplace(); }
    void cleanup()
    {
        window.reset();
        world.reset(); // its seams put back
    }

    // The editor's place, focus and text, which steps are changes, a key that moves the cell
    // under the editor (so that it writes over another row), and Escape losing the text.
    void editingACell()
    {
        open();
        click(0, 3); // the same empty text: no change, so closing asks nothing
        QVERIFY(editor()->isVisible());
        press("cmdClose");
        QVERIFY(!window->isVisible());
        QCOMPARE(Messages(), QStringList());
        open();
        click(1, 3); // another text: a change
        QVERIFY(editor()->hasFocus());
        QCOMPARE(editor()->text(), "old note");
        QCOMPARE(editor()->geometry(), grid()->visualRect(index(1, 3)));
        for (const Qt::Key key : {Qt::Key_Up, Qt::Key_PageDown, Qt::Key_Down, Qt::Key_PageUp,
                                  Qt::Key_Down, Qt::Key_Down, Qt::Key_End})
            QTest::keyClick(editor(), key); // each stays in the editor
        // Another program takes the focus for a while, then the user comes back and types on.
        QWidget otherProgram;
        otherProgram.show();
        otherProgram.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&otherProgram));
        window->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(window.get()));
        QTest::keyClicks(QApplication::focusWidget(), ";x");
        QCOMPARE(grid()->currentIndex(), index(1, 3));
        QTest::keyClick(editor(), Qt::Key_Return);
        QCOMPARE(QApplication::focusWidget(), grid());
        QVERIFY(!editor()->isVisible());
        QTest::keyClick(grid(), Qt::Key_F2); // the current cell again
        QTest::keyClicks(editor(), "!");
        QTest::keyClick(editor(), Qt::Key_Escape); // answered Yes
        QCOMPARE(Messages(), (QStringList{"Do you want to save the changes you made?", "Saved"}));
        QVERIFY(!window->isVisible());
        QCOMPARE(world->logBytes(), QByteArray(Saved).replace("note!", "note;x!"));
    }

    // Deleting without asking, the wrong row, a deletion lost on close, and a cleared log with
    // bytes or with its rows still shown, without a backup of them, or cleared although that
    // backup could not be written.
    void deleteRowAndClearLog()
    {
        open();
        QTest::keyClick(grid(), Qt::Key_Down); // the keyboard's way to the second row: no change
        MessageBox::setNextAnswer(MessageBox::No);
        press("cmdDeleteRow");
        QCOMPARE(rows(), 3);
        press("cmdDeleteRow"); // answered Yes
        QCOMPARE(rows(), 2);
        press("cmdClose"); // asks, as the deletion is only kept by saving
        QCOMPARE(Messages(), (QStringList{"Are you sure you want to delete the selected row?",
                                          "Are you sure you want to delete the selected row?",
                                          "Do you want to save the changes you made?", "Saved"}));
        const QByteArray twoRows = "s1;t1;00:00:01.00;\r\ns3;t3;2 years, 00:00:03.00;\r\n";
        QCOMPARE(world->logBytes(), twoRows);
        open({});
        {
            FileSizeLimit limit(16); // too small for the backup
            press("cmdClearLog");
        }
        QCOMPARE(Messages().last(),
                 "The session log could not be cleared.\n\nFile: " + world->logFile() +
                     "\nReason: Its lines could not first be kept in " + world->logFile() +
                     ".bak: File too large");
        QCOMPARE(rows(), 2);
        QCOMPARE(world->logBytes(), twoRows);
        press("cmdClearLog");
        QCOMPARE(Messages().last(), "Session Log cleared");
        QCOMPARE(rows(), 0);
        QCOMPARE(world->logBytes(), QByteArray()); // there, and empty
        QCOMPARE(world->logBytes(world->logFile() + ".bak"), twoRows);
        press("cmdClearLog"); // nothing to keep
        QCOMPARE(FileKind(world->logFile() + ".bak.1"), "missing");
    }

    // A log that can't be read (a folder, or too big to open) passed over in silence, read into
    // memory all the same, or written over.
    void unreadableLogIsReportedAndNotOverwritten()
    {
        QDir().mkpath(world->logFile());
        open({});
        QCOMPARE(MessageBox::history().value(0).kind, MessageBox::Error);
        press("cmdClose");
        QCOMPARE(MessageBox::history().size(), 1);
        QVERIFY(QFileInfo(world->logFile()).isDir());
        QDir().rmdir(world->logFile());
        QFile huge(world->logFile());
        QVERIFY(huge.open(QIODevice::WriteOnly));
        QVERIFY(huge.resize(SessionLog::MaxReadBytes + 1));
        open({}); // sparse: reading it would take the time and memory that this guards
        QCOMPARE(rows(), 0);
        QVERIFY(Messages().value(1).contains("32.0 MB; Pendrel opens session logs of up to 32 MB"));
        huge.close(); // its size as the path now has it, not as the handle held it
        QCOMPARE(QFileInfo(world->logFile()).size(), SessionLog::MaxReadBytes + 1);
    }

    // A failed save that cuts the log, closes or says "Saved"; a save that drops the lines
    // another copy appended since the window opened, or that overwrites another copy's save
    // unasked, and a No to that question that closes or writes.
    void saving()
    {
        open();
        typeIntoOldNote();
        QVERIFY(SessionLog::Append("a;b;c").ok); // the other copy's snapshot
        {
            FileSizeLimit limit(16);
            press("cmdClose"); // answered Yes
        }
        QVERIFY(window->isVisible());
        QVERIFY(!Messages().contains("Saved"));
        QCOMPARE(MessageBox::history().last().kind, MessageBox::Error);
        QVERIFY(Messages().last().endsWith("Reason: File too large"));
        press("cmdClose"); // Yes again, now that it can be written
        QCOMPARE(world->logBytes(), Saved + "a;b;c\r\n");
        open();
        typeIntoOldNote();
        world->writeLog("x;y;z\r\n"); // saved, cleared or edited meanwhile
        MessageBox::setNextAnswer(MessageBox::Yes);
        MessageBox::setNextAnswer(MessageBox::No); // don't replace it
        press("cmdClose");
        QVERIFY(window->isVisible());
        QCOMPARE(world->logBytes(), "x;y;z\r\n");
        QVERIFY(Messages().last().startsWith("The session log has changed since this window"));
        press("cmdClose"); // Yes, and Yes: replace it
        QVERIFY(!window->isVisible());
        QCOMPARE(world->logBytes(), Saved);
        QCOMPARE(world->logBytes(world->logFile() + ".bak"), "x;y;z\r\n");
        QCOMPARE(Messages().last(),
                 "The session log as it was before is kept in " + world->logFile() + ".bak.");
    }

    // A "Saved" box too narrow for a title bar to show "Pendrel".
    void shortMessagesKeepTheirTitle()
    {
        int width = 0;
        MessageBox::setInspector([&](QMessageBox &box) {
            box.show();
            width = box.width();
            box.close();
        });
        MessageBox::message(nullptr, "Saved");
        QVERIFY2(width >= 200, qPrintable(QString::number(width)));
    }

    // A long cell cut at the editor's limit, or painted whole; a tab that splits a cell; a log
    // from an older system shown and saved with U+FFFD in place of its letters, and a backup
    // overwritten by the next one.
    void longCellsAndOldLogs()
    {
        const QByteArray comment(40'000, 'c'),
            legacy = "s;t;e;" + comment + "\xe9\r\nu;v;w;Na\xefve";
        world->writeLog("an older backup", world->logFile() + ".bak");
        open(legacy);
        QVERIFY(grid()->model()->data(index(0, 3)).toString().size() < 1000); // shown cut short
        click(0, 3);
        QCOMPARE(editor()->text().size(), comment.size() + 1); // the whole cell, "é" last
        editor()->insert("\tend");                             // as pasted
        press("cmdClose");                                     // answered Yes
        QCOMPARE(world->logBytes(), "s;t;e;" + comment + "\xc3\xa9 end\r\nu;v;w;na\xc3\xafve\r\n");
        QCOMPARE(world->logBytes(world->logFile() + ".bak"), "an older backup");
        QCOMPARE(world->logBytes(world->logFile() + ".bak.1"), legacy);
        QVERIFY(Messages().first().contains("Windows-1252"));
        QVERIFY(Messages().last().endsWith("SessionLog.txt.bak.1."));
    }
};

QTEST_MAIN(tst_frmsessions)
#include "tst_frmsessions.moc"
