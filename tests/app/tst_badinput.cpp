// Bad input from the settings store and the log file, and a disk that fills up: nothing
// crashes, nothing is lost, and the user is told what could not be done. Each case is one row
// of the table in the README.
#include "log/LogTestSupport.h"

#include "app/frmMain.h"
#include "log/SessionLog.h"
#include "log/SessionsModel.h"
#include "log/frmSessions.h"
#include "settings/SettingsStore.h"
#include "settings/frmCustomize.h"
#include "ui_frmMain.h"

#include <QRandomGenerator>
#include <QtTest>

using namespace SettingsStore;

class tst_badinput : public QObject
{
    Q_OBJECT

    std::unique_ptr<LogWorld> world;

    QList<MessageBox::Kind> kinds() const
    {
        QList<MessageBox::Kind> shown;
        for (const MessageBox::Shown &box : MessageBox::history())
            shown << box.kind;
        return shown;
    }

private slots:
    void init() { world = std::make_unique<LogWorld>(); }
    void cleanup() { world.reset(); }

    void settingsFileThatIsAFolder()
    {
        QDir().mkpath(world->settingsFile()); // can be neither read nor written
        frmMain w;
        QCOMPARE(w.controls()->lblCustomText->text(), DefaultCustomText);
        QCOMPARE(modStopWatch::Prefs().intWarningDays, DefaultWarningDays);
        // Start says once that the times can't be stored; Snapshot still logs the count.
        w.cmdStartStop_Click();
        QCOMPARE(kinds(), QList<MessageBox::Kind>{MessageBox::Error});
        QVERIFY(MessageBox::history()[0].text.contains(world->settingsFile()));
        w.cmdSnapshot_Click();
        QVERIFY(world->logBytes().endsWith(";0 years, 0 days, 00:00:00.00\r\n"));
        QCOMPARE(MessageBox::history().size(), 1);
        // Customize says so instead of pretending to save.
        frmCustomize dialog(&w);
        dialog.cmdOK_Click();
        QCOMPARE(kinds(), (QList<MessageBox::Kind>{MessageBox::Error, MessageBox::Error}));
        QVERIFY(dialog.result() != QDialog::Accepted);
    }

    void logThatIsAFolder()
    {
        QDir().mkpath(world->logFile());
        frmMain w;
        w.cmdSnapshot_Click();
        QCOMPARE(kinds(), QList<MessageBox::Kind>{MessageBox::Error});
        QVERIFY(MessageBox::history()[0].text.contains(world->logFile()));
        QVERIFY(QFileInfo(world->logFile()).isDir());
    }

    void binaryLog()
    {
        QByteArray junk;
        QRandomGenerator random(7);
        for (int i = 0; i < 64 * 1024; ++i)
            junk.append(char(random.bounded(256)));
        world->writeLog(junk);
        const int lines = int(junk.count('\n') + junk.count('\r') - junk.count("\r\n"));

        frmSessions sessions;
        QVERIFY(sessions.model()->rowCount() >= lines);
        // Saving can't give back bytes that were no text, so the log as it was is kept.
        QCOMPARE(kinds(), QList<MessageBox::Kind>{MessageBox::Information});
        QVERIFY(sessions.SaveSessionGrid());
        QCOMPARE(LogWorld::read(SessionLog::BackupPath()), junk);
        QCOMPARE(SessionLog::ReadAll().rows.size(), size_t(sessions.model()->rowCount()));
    }

    void logWithAHugeLine()
    {
        const QByteArray comment(1024 * 1024, 'x');
        world->writeLog("a;b;0 years, 0 days, 00:00:01.00;" + comment + "\r\nc;d;e\r\n");
        frmSessions sessions;
        QCOMPARE(sessions.model()->rowCount(), 2);
        QCOMPARE(sessions.model()->cell(0, 3).size(), comment.size());
        QVERIFY(sessions.SaveSessionGrid());
        QCOMPARE(world->logBytes(), "a;b;00:00:01.00;" + comment + "\r\nc;d;e;\r\n");
        QVERIFY(MessageBox::history().isEmpty());
    }

    void unwritableProgramFolder()
    {
        world->makeProgramFolderUnwritable();
        frmMain w;
        w.cmdSnapshot_Click();
        QVERIFY(MessageBox::history().isEmpty());
        QCOMPARE(LogWorld::read(world->fallbackLogFile()).count("\r\n"), 1);
    }

    void fullDisk()
    {
        const QByteArray old = "s;t;0 years, 0 days, 00:00:01.00\r\n";
        world->writeLog(old);
        frmMain w;
        {
            FileSizeLimit limit(old.size() + 10);
            w.cmdSnapshot_Click();
            frmSessions sessions;
            sessions.model()->setCell(0, 3, QString(200, 'c'));
            QVERIFY(!sessions.SaveSessionGrid());
        }
        QCOMPARE(world->logBytes(), old); // no half line, no truncated rewrite
        // The stop time, the snapshot line and the save: each failure is told.
        QCOMPARE(kinds(), (QList<MessageBox::Kind>{MessageBox::Error, MessageBox::Error,
                                                   MessageBox::Error}));
    }
};

QTEST_MAIN(tst_badinput)
#include "tst_badinput.moc"
