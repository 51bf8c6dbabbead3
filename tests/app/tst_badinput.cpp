#include "log/LogTestSupport.h"

#include "app/frmMain.h"
#include "log/frmSessions.h"

#include <QLineEdit>
#include <QTableView>

class tst_badinput : public QObject
{
    Q_OBJECT

    std::optional<LogWorld> world;

    bool StartAndSnapshotShow(int errors, const QString &path = {})
    {
        frmMain window(world->count, world->preferences);
        window.show();
        Click(&window, "cmdStartStop");
        Click(&window, "cmdSnapshot");
        const QList<MessageBox::Shown> shown = MessageBox::history();
        return shown.size() == errors && shown.value(errors - 1).text.contains(path);
    }

    static void CommentAndSave() // "!" typed into the first row's comment, then Close and Yes
    {
        frmSessions window;
        window.show();
        QVERIFY(QTest::qWaitForWindowActive(&window));
        auto *grid = Control<QTableView>(&window, "grdSessions");
        const QRect cell = grid->visualRect(grid->model()->index(0, 3));
        QTest::mouseClick(grid->viewport(), Qt::LeftButton, {}, cell.center());
        QTest::keyClicks(Control<QLineEdit>(&window, "Text1"), "!");
        Click(&window, "cmdClose");
        QVERIFY(!window.isVisible());
    }

private slots:
    void init() { world.emplace(); }

    void logThatIsNoFile() // guards a crash, a hang, or the folder, pipe or socket replaced
    {
        for (const char *kind : {"folder", "fifo", "socket"}) {
            MessageBox::setTestMode(true);
            const bool folder = !strcmp(kind, "folder");
            QVERIFY(folder ? QDir().mkpath(world->logFile()) : MakeOddFile(kind, world->logFile()));
            QVERIFY2(StartAndSnapshotShow(1, world->logFile()), kind);
            QVERIFY(MessageBox::history().last().text.contains("not a"));
            QCOMPARE(FileKind(world->logFile()), "odd");
            QVERIFY(QDir().rmdir(world->logFile()) || QFile::remove(world->logFile()));
        }
    }

    void binaryLog() // guards losing bytes: a save keeps the log as it was, and says where
    {
        const QByteArray junk = QByteArray("\xff\xfe\0\n\xc3(\r;\x80\xe2\x82", 11).repeated(4096);
        world->writeLog(junk);
        CommentAndSave();
        QCOMPARE(MessageBox::history().size(), 4); // the encoding, the question, Saved, where
        QVERIFY(MessageBox::history().last().text.contains(world->logFile() + ".bak"));
        QCOMPARE(world->logBytes(world->logFile() + ".bak"), junk);
    }

    void unwritableProgramFolder() // guards an error where the per-user log would do
    {
        const QString fallback = world->blockProgramFolder();
        QVERIFY(StartAndSnapshotShow(0) && world->logBytes(fallback).count("\r\n") == 1);
    }

    void fullDisk() // guards a half line, or a failure passed over in silence or told vaguely
    {
        world->writeLog("s;t;u\r\n");
        FileSizeLimit limit(17);
        QVERIFY(StartAndSnapshotShow(2, world->logFile()) && world->logBytes() == "s;t;u\r\n");
        QVERIFY(MessageBox::history().last().text.endsWith("Reason: File too large"));
    }
};

QTEST_MAIN(tst_badinput)
#include "tst_badinput.moc"
