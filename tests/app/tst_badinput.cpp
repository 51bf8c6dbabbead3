#include "log/LogTestSupport.h"

#include "app/frmMain.h"
#include "log/frmSessions.h"
#include "settings/frmCustomize.h"

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

private slots:
    void init() { world.emplace(); }

    void settingsFileThatIsAFolder() // guards a crash, a lost line or a pretended save
    {
        QDir().mkpath(world->settingsFile());
        QVERIFY(StartAndSnapshotShow(1, world->settingsFile())); // told once, and still logged
        QVERIFY(world->logBytes().endsWith(";0 years, 0 days, 00:00:00.00\r\n"));
        frmCustomize dialog(world->preferences);
        dialog.show();
        Click(&dialog, "cmdOK");
        QVERIFY(MessageBox::history().size() == 2 && dialog.result() != QDialog::Accepted);
    }

    void logThatIsAFolder() // guards a crash, or the folder replaced
    {
        QDir().mkpath(world->logFile());
        QVERIFY(StartAndSnapshotShow(1, world->logFile()) && QFileInfo(world->logFile()).isDir());
    }

    void binaryLog() // guards losing bytes that are no text: a save keeps the log as it was
    {
        const QByteArray junk = QByteArray("\xff\xfe\0\n\xc3(\r;\x80\xe2\x82", 11).repeated(4096);
        world->writeLog(junk);
        QVERIFY(frmSessions().SaveSessionGrid() && MessageBox::history().size() == 1); // told
        QCOMPARE(world->logBytes(world->logFile() + ".bak"), junk);
    }

    void logWithAHugeLine() // guards a crash or a cut line
    {
        const QByteArray comment(1024 * 1024, 'x');
        world->writeLog("a;b;0 years, 0 days, 00:00:01.00;" + comment + "\r\nc;d;e\r\n");
        QVERIFY(frmSessions().SaveSessionGrid());
        QCOMPARE(world->logBytes(), "a;b;00:00:01.00;" + comment + "\r\nc;d;e;\r\n");
    }

    void unwritableProgramFolder() // guards an error where the per-user log would do
    {
        const QString fallback = world->blockProgramFolder();
        QVERIFY(StartAndSnapshotShow(0) && world->logBytes(fallback).count("\r\n") == 1);
    }

    void fullDisk() // guards a half line, or a failure passed over in silence
    {
        world->writeLog("s;t;u\r\n");
        FileSizeLimit limit(17);
        QVERIFY(StartAndSnapshotShow(2, world->logFile()) && world->logBytes() == "s;t;u\r\n");
    }
};

QTEST_MAIN(tst_badinput)
#include "tst_badinput.moc"
