// The session log file: snapshot lines, reading, rewriting, the fallback folder, failed writes.
#include "LogTestSupport.h"

#include "log/SessionLog.h"
#include "settings/SettingsStore.h"

using namespace SettingsStore;

class tst_sessionlog : public QObject
{
    Q_OBJECT

    std::unique_ptr<LogWorld> world;

private slots:
    void init() { world = std::make_unique<LogWorld>(); }
    void cleanup() { world.reset(); }

    // Guards the line ends between appended lines.
    void snapshotLines()
    {
        world->writeLog("a;b;c"); // no line end at the last line
        QVERIFY(SessionLog::Append("d;e;f").ok);
        QCOMPARE(world->logBytes(), QByteArray("a;b;c\r\nd;e;f\r\n"));
    }

    // Guards parsing (line ends, case, fields, zero parts, encoding) and rewrites that lose data.
    void readAndRewrite()
    {
        const char *cases[][2] = {
            {"s;t;0 years, 1 days, 00:00:01.00", "s;t;1 days, 00:00:01.00;\r\n"},
            {"a;b;c\r\n\r\nd;e;f;g\r\n", "a;b;c;\r\n;;;\r\nd;e;f;g\r\n"},
            {"8:00 PM;9:00 PM\t0 Years, 0 Days, 01:00:00.00;Met ANNA;x;\r\n",
             "8:00 pm;9:00 pm;01:00:00.00;met anna;x;\r\n"},
            {"caf\xc3\x89;\xe2\x82\xac;x\nd;e;f\n", "caf\xc3\xa9;\xe2\x82\xac;x;\r\nd;e;f;\r\n"},
            {"a;b;c\r\nd;e;f\ng;h;i\rj;k;l", "a;b;c;\r\nd;e;f;\r\ng;h;i;\r\nj;k;l;\r\n"},
            {"", ""},
            {"a;b;2 years, 0 days, 1\na;b;10 years, 20 days, 00:00:01.00\na;b;0 years, 0 days",
             "a;b;2 years, 1;\r\na;b;10 years, 20 days, 00:00:01.00;\r\na;b;0 days;\r\n"}};
        for (const auto &[file, rewritten] : cases) {
            world->writeLog(file);
            QVERIFY(SessionLog::Rewrite(SessionLog::ReadAll().rows).ok);
            QCOMPARE(world->logBytes(), QByteArray(rewritten));
        }
    }

    // Guards append, read and rewrite each choosing a folder of their own.
    void fallbackFolder()
    {
        const QString fallback = world->blockProgramFolder();
        QVERIFY(SessionLog::Append("a;b;c").ok);
        QVERIFY(SessionLog::Rewrite(SessionLog::ReadAll().rows).ok);
        QCOMPARE(world->logBytes(fallback), QByteArray("a;b;c;\r\n"));
        QVERIFY(SessionLog::Remove().ok);
        QVERIFY(!QFile::exists(fallback));
    }

    // Guards half-written lines, truncated rewrites and stray temporary files on a full disk.
    void failedWritesLeaveTheFileAsItWas()
    {
        world->writeLog("a;b;c\r\n");
        FileSizeLimit limit(12);
        QVERIFY(!SessionLog::Append("d;e;0 years, 0 days, 00:00:01.00").ok);
        const SessionLog::Outcome rewrite = SessionLog::Rewrite({100, {"x", "y", "z", "comment"}});
        QVERIFY(!rewrite.ok);
        QCOMPARE(world->logBytes(), QByteArray("a;b;c\r\n"));
        QCOMPARE(QDir(world->programFolder()).entryList(QDir::Files).size(), 1); // no temp file
        QVERIFY(SessionLog::FailureText("x", rewrite).contains(world->logFile()));
    }
};

QTEST_MAIN(tst_sessionlog)
#include "tst_sessionlog.moc"
