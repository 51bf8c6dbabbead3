// The session log file: its lines, failed writes, and another copy's lines at the worst moment.
#include "CoreTestSupport.h"

#include "files/RegularFile.h"
#include "log/SessionLog.h"

static SessionLog::Outcome ReadAndRewrite()
{
    const SessionLog::ReadResult read = SessionLog::ReadAll();
    return SessionLog::Rewrite(read.rows, read.loaded);
}

class tst_sessionlog : public QObject
{
    Q_OBJECT

    std::unique_ptr<TestHome> world;
    inline static const QByteArray Log = "a;b;c;\r\nd;e;f;\r\n";

private slots:
    void init() { world = std::make_unique<TestHome>(); }
    void cleanup() { world.reset(); }

    // What a save of the unchanged grid writes, and what a snapshot appends.
    void writes_data()
    {
        QTest::addColumn<QByteArray>("file");
        QTest::addColumn<QString>("appended"); // none: read and rewritten
        QTest::addColumn<QByteArray>("written");
        const char *rows[][4] = {
            {"zero years, no line end", "s;t;0 years, 1 days, 1", {}, "s;t;1 days, 1;\r\n"},
            {"ten years", ";;10 years, 2", {}, ";;10 years, 2;\r\n"},
            {"empty line, fifth field", "a\r\n\r\nd;e;f;g;h", {}, "a;;;\r\n;;;\r\nd;e;f;g;h\r\n"},
            {"tab, case", "8 PM;9 PM\t0 Years, 0 Days, 1;ANNA", {}, "8 pm;9 pm;1;anna\r\n"},
            {"lone CR, LF CR", "a;b;c\n\rd;e;f\rg;h;i", {}, "a;b;c;\r\n d;e;f g;h;i\r\n"},
            {"UTF-8", "caf\xc3\x89;\xe2\x82\xac;x\n", {}, "caf\xc3\xa9;\xe2\x82\xac;x;\r\n"},
            {"cp1252", "C\xc9;\x80\x81\x9f", {}, "c\xc3\xa9;\xe2\x82\xac\xc2\x81\xc3\xbf;;\r\n"},
            {"append, no line end", "a;b;c", "d;e;f", "a;b;c\r\nd;e;f\r\n"},
            {"append, a lone CR", "a;b;c\r", "d;e;f", "a;b;c\r\nd;e;f\r\n"},
            {"append, breaks in a cell", "", "a;b;c;x\ty\r\nz\rw", "a;b;c;x y z w\r\n"}};
        for (const auto &[name, file, appended, written] : rows)
            QTest::newRow(name) << QByteArray(file) << QString(appended) << QByteArray(written);
    }
    void writes()
    {
        QFETCH(QByteArray, file);
        QFETCH(QString, appended);
        world->writeLog(file);
        QVERIFY(appended.isNull() ? ReadAndRewrite().ok : SessionLog::Append(appended).ok);
        QTEST(world->logBytes(), "written");
    }

    // What is reported done is on stable storage, synced in order; a failed sync is reported.
    void durableWrites()
    {
        using K = RegularFile::SyncKind;
        QList<K> kinds;
        QList<qint64> logSizes; // the log's size at each sync
        RegularFile::SetSyncer([&](int, K kind) {
            kinds << kind;
            logSizes << QFileInfo(world->logFile()).size();
            return 0;
        });
        const auto restore = qScopeGuard([] { RegularFile::SetSyncer({}); });
        QVERIFY(SessionLog::Append("a;b;c").ok);
        QVERIFY(ReadAndRewrite().ok);
        QVERIFY(SessionLog::Clear().ok);
        QCOMPARE(kinds,
                 QList<K>({K::Data, K::File, K::Folder, K::File, K::Folder, K::File, K::Folder}));
        QCOMPARE(logSizes, QList<qint64>({7, 7, 8, 8, 8, 8, 0}));
        RegularFile::SetSyncer([](int, K) { return EIO; });
        QCOMPARE(SessionLog::Append("d;e;f").reason, "Input/output error");
        QCOMPARE(world->logBytes(), QByteArray());
    }

    // Another copy's line landing in a file being replaced: lost, or written twice.
    void lateLines_data()
    {
        QTest::addColumn<QString>("during"); // what comes between the first write and its sync
        QTest::addColumn<QByteArray>("log");
        QTest::newRow("save") << "save" << QByteArray("a;b;c;\r\nlate\r\n");
        QTest::newRow("clear") << "clear" << QByteArray("late\r\n");
        QTest::newRow("append, file replaced") << "replaced" << QByteArray("x\r\nlate\r\n");
        QTest::newRow("append, line carried") << "carried" << QByteArray("a;b;c\r\nlate\r\n");
    }
    void lateLines()
    {
        QFETCH(QString, during);
        world->writeLog("a;b;c\r\n");
        bool first = true; // what goes wrong shows in the log at the end
        RegularFile::SetSyncer([&](int, RegularFile::SyncKind) {
            if (!std::exchange(first, false))
                return 0;
            if (during == "save" || during == "clear") {
                world->writeLog(world->logBytes() + "late\r\n"); // in place
            } else {
                QSaveFile replacement(world->logFile());
                replacement.open(QIODevice::WriteOnly);
                replacement.write(during == "replaced" ? "x\r\n" : world->logBytes());
                replacement.commit();
            }
            return 0;
        });
        const auto restore = qScopeGuard([] { RegularFile::SetSyncer({}); });
        if (during == "save")
            QVERIFY(ReadAndRewrite().ok);
        else if (during == "clear")
            QVERIFY(SessionLog::Clear().ok);
        else
            QVERIFY(SessionLog::Append("late").ok);
        QTEST(world->logBytes(), "log");
    }

    // A folder in the lock's place: a snapshot lost, or a save blaming another copy.
    void stuckLock()
    {
        world->writeLog("a;b;c\r\n");
        QVERIFY(QDir().mkpath(world->logFile() + ".lock"));
        QVERIFY(SessionLog::Append("d;e;f").ok);
        QCOMPARE(world->logBytes(), "a;b;c\r\nd;e;f\r\n");
        QVERIFY(ReadAndRewrite().reason.startsWith("A folder stands where Pendrel keeps its lock"));
    }

    // Every operation in the fallback folder; on a full disk, nothing half written or left.
    void fallbackFolderAndFullDisk()
    {
        // Below a regular file, even for root: the log goes to the per-user folder.
        ProgramFolder::SetPath(QCoreApplication::applicationFilePath() + "/program");
        const QString log =
            world->home.filePath("data/" + QCoreApplication::applicationName() + "/SessionLog.txt");
        QVERIFY(SessionLog::Append("a;b;c").ok);
        QVERIFY(ReadAndRewrite().ok);
        const SessionLog::ReadResult read = SessionLog::ReadAll();
        {
            FileSizeLimit limit(12);
            QCOMPARE(SessionLog::Append("d;e;0 years, 0 days, 00:00:01").reason, "File too large");
            const SessionLog::Outcome rewrite =
                SessionLog::Rewrite({100, {"x", "y", "z", "comment"}}, read.loaded);
            QCOMPARE(rewrite.reason, "File too large");
            QVERIFY(SessionLog::FailureText("x", rewrite).contains(log));
        }
        QCOMPARE(world->logBytes(log), QByteArray("a;b;c;\r\n"));
        QCOMPARE(QDir(QFileInfo(log).path()).entryList(QDir::Files | QDir::Hidden | QDir::System),
                 QStringList("SessionLog.txt")); // no temporary file, no lock left
        QVERIFY(SessionLog::Clear().ok);
        QCOMPARE(world->logBytes(log), QByteArray());
    }

    // A save after another change: appends kept; overwritten only when asked, with a backup.
    void rewriteAfterTheFileChanged_data()
    {
        QTest::addColumn<QString>("change");
        QTest::addColumn<QByteArray>("log"); // after the save, then after an overwrite's backup
        QTest::newRow("appended") << "append" << QByteArray("1;2;3;\r\ng;h;i\r\n");
        QTest::newRow("cleared") << "clear" << QByteArray(Log); // kept by Clear
        QTest::newRow("edited in place") << "edit" << QByteArray("a;b;c;\r\nD;E;f;\r\n");
        QTest::newRow("saved anew") << "save" << QByteArray(Log);
    }
    void rewriteAfterTheFileChanged()
    {
        QFETCH(QString, change);
        QFETCH(QByteArray, log);
        world->writeLog("older", world->logFile() + ".bak");
        world->writeLog(Log);
        const SessionLog::ReadResult read = SessionLog::ReadAll();
        if (change == "append")
            QVERIFY(SessionLog::Append("g;h;i").ok);
        if (change == "clear")
            QVERIFY(SessionLog::Clear().ok);
        if (change == "edit")
            world->writeLog(log); // as long as before, in the same file
        if (change == "save") {   // a new file renamed into place
            world->writeLog(Log, world->logFile() + ".new");
            QVERIFY(QFile::remove(world->logFile()));
            QVERIFY(QFile::rename(world->logFile() + ".new", world->logFile()));
        }
        const QByteArray before = world->logBytes();
        if (!SessionLog::Rewrite({{"1", "2", "3", ""}}, read.loaded).changed) {
            QCOMPARE(world->logBytes(), log);
            return;
        }
        QCOMPARE(world->logBytes(), before);
        QVERIFY(SessionLog::Rewrite({{"1", "2", "3", ""}}, read.loaded, true).ok);
        QCOMPARE(world->logBytes(), "1;2;3;\r\n");
        QCOMPARE(world->logBytes(world->logFile() + ".bak"), "older"); // never written over
        QCOMPARE(world->logBytes(world->logFile() + ".bak.1"), log);
    }

    // A pipe in the log's place, which would block a read or a write, refused and left there.
    void pipeAsLog()
    {
        QVERIFY(MakePipe(world->logFile()));
        const SessionLog::ReadResult read = SessionLog::ReadAll(); // never blocks
        QVERIFY(read.outcome.reason.contains("not a regular file"));
        QVERIFY(SessionLog::Append("a").reason.contains("not a regular file"));
        QVERIFY(SessionLog::Rewrite({}, read.loaded, true).reason.contains("not a regular file"));
        QVERIFY(SessionLog::Clear().reason.contains("not a regular file"));
        QCOMPARE(FileKind(world->logFile()), "odd");
    }

    // A log that is a link: a snapshot and a save act on the file it points to; the link stays.
    void linkAsLog()
    {
        const QString target = world->home.filePath("elsewhere.txt");
        world->writeLog("s1;t1;0 years, 0 days, 00:00:01.00\r\n", target);
        QVERIFY(QFile::link(target, world->logFile()));
        QVERIFY(SessionLog::Append("s2;t2;0 years, 0 days, 00:00:02.00").ok);
        const SessionLog::ReadResult read = SessionLog::ReadAll();
        QVERIFY(SessionLog::Rewrite(read.rows, read.loaded).ok);
        QCOMPARE(FileKind(world->logFile()), "link");
        QCOMPARE(world->logBytes(target).count("\r\n"), 2);
    }

    // Reading removes a killed save's temporary file, and no other file.
    void leftovers()
    {
        const QString save = ".SessionLog.txt.pendrel-save-";
        const QStringList names = {save + "QkZmP4", // the one removed; the others by name
                                   save + "QkZ-P4",  save + "QkZmP4~",        save + "XyzAbc",
                                   "SessionLog.txt", "SessionLog.txt.MyCopy", "SessionLog.txt.bak"};
        for (const QString &name : names) {
            QFile stray(QDir(world->programFolder()).filePath(name));
            QVERIFY(stray.open(QIODevice::WriteOnly));
            if (!name.endsWith("XyzAbc")) // a save under way
                stray.setFileTime(QDateTime::currentDateTime().addSecs(-3600),
                                  QFileDevice::FileModificationTime);
        }
        SessionLog::ReadAll();
        QCOMPARE(QDir(world->programFolder()).entryList(QDir::Files | QDir::Hidden, QDir::Name),
                 names.mid(1));
    }
};

QTEST_GUILESS_MAIN(tst_sessionlog)
#include "tst_sessionlog.moc"
