// The session log file: its lines, reading and rewriting, the fallback folder, failed writes,
// two copies sharing the log, and files that are not what they seem.
#include "CoreTestSupport.h"

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

private slots:
    void init() { world = std::make_unique<TestHome>(); }

    // Parsing (line ends, a lone CR, case, fields, zero parts, encodings) and rewrites that lose
    // data; a tab or a line break in a cell, stored as a space; a snapshot after a last line
    // without its line end, or with half of one, which must start a line of its own.
    void readAndRewrite()
    {
        const char *cases[][2] = {
            {"s;t;0 years, 1 days, 00:00:01.00", "s;t;1 days, 00:00:01.00;\r\n"},
            {"a;b;c\r\n\r\nd;e;f;g\r\n", "a;b;c;\r\n;;;\r\nd;e;f;g\r\n"},
            {"8:00 PM;9:00 PM\t0 Years, 0 Days, 01:00:00.00;Met ANNA;x;\r\n",
             "8:00 pm;9:00 pm;01:00:00.00;met anna;x;\r\n"},
            {"caf\xc3\x89;\xe2\x82\xac;x\nd;e;f\n", "caf\xc3\xa9;\xe2\x82\xac;x;\r\nd;e;f;\r\n"},
            {"Caf\xc9;\x80\x81\x9f;x\r\n",
             "caf\xc3\xa9;\xe2\x82\xac\xc2\x81\xc3\xbf;x;\r\n"}, // 1252
            {"a;b;c\r\nd;e;f\n\rg;h;i\rj;k;l", "a;b;c;\r\nd;e;f;\r\n g;h;i j;k;l\r\n"},
            {"", ""},
            {"a;b;2 years, 0 days, 1\na;b;10 years, 20 days, 00:00:01.00\na;b;0 years, 0 days",
             "a;b;2 years, 1;\r\na;b;10 years, 20 days, 00:00:01.00;\r\na;b;0 days;\r\n"}};
        for (const auto &[file, rewritten] : cases) {
            world->writeLog(file);
            QVERIFY(ReadAndRewrite().ok);
            QCOMPARE(world->logBytes(), QByteArray(rewritten));
        }
        for (const char *last : {"a;b;c", "a;b;c\r"}) {
            world->writeLog(last);
            QVERIFY(SessionLog::Append("d;e;f").ok);
            QCOMPARE(world->logBytes(), "a;b;c\r\nd;e;f\r\n");
        }
        world->writeLog("a\rb");
        QCOMPARE(SessionLog::ReadAll().rows.at(0)[0], "a b"); // no line break in the cell
        const SessionLog::Loaded loaded = SessionLog::ReadAll().loaded;
        QVERIFY(SessionLog::Rewrite({{"a", "b", "c", "x\ty\r\nz"}}, loaded).ok);
        QCOMPARE(world->logBytes(), "a;b;c;x y z\r\n");
    }

    // Append, read, rewrite and clear each choosing a folder of their own; on a full disk, a
    // half-written line, a truncated rewrite, a temporary file left, or a vague reason.
    void fallbackFolderAndFullDisk()
    {
        const QString log = world->blockProgramFolder();
        QVERIFY(SessionLog::Append("a;b;c").ok && ReadAndRewrite().ok);
        const SessionLog::ReadResult read = SessionLog::ReadAll();
        {
            FileSizeLimit limit(12);
            const SessionLog::Outcome append = SessionLog::Append("d;e;0 years, 0 days, 00:00:01");
            const SessionLog::Outcome rewrite =
                SessionLog::Rewrite({100, {"x", "y", "z", "comment"}}, read.loaded);
            QCOMPARE(append.reason + " | " + rewrite.reason, "File too large | File too large");
            QVERIFY(SessionLog::FailureText("x", rewrite).contains(log));
        }
        QCOMPARE(world->logBytes(log), QByteArray("a;b;c;\r\n"));
        QCOMPARE(QDir(QFileInfo(log).path()).entryList(QDir::Files | QDir::Hidden | QDir::System),
                 QStringList("SessionLog.txt")); // no temporary file, no lock left
        QVERIFY(SessionLog::Clear().ok);
        QCOMPARE(world->logBytes(log), QByteArray());
    }

    // A rewrite that drops what another copy did after the read: lines it appended are kept, any
    // other change is never overwritten unasked, and an overwrite keeps the old file in a backup
    // that no later one overwrites, as Clear keeps what it cleared.
    void rewriteAfterTheFileChanged()
    {
        const QByteArray log = "a;b;c;\r\nd;e;f;\r\n", edited = "a;b;c;\r\nD;E;f;\r\n";
        const auto saveElsewhere = [&] { // another copy's save: a new file renamed into place
            QSaveFile file(world->logFile());
            QVERIFY(file.open(QIODevice::WriteOnly) && file.write(log) && file.commit());
        };
        const std::function<void()> changes[] = {[] { QVERIFY(SessionLog::Append("g;h;i").ok); },
                                                 [] { QVERIFY(SessionLog::Clear().ok); },
                                                 [&] { world->writeLog(edited); }, saveElsewhere,
                                                 [&] { QFile::remove(world->logFile()); }};
        QStringList outcomes;
        for (const auto &change : changes) {
            world->writeLog(log);
            const SessionLog::ReadResult read = SessionLog::ReadAll();
            change();
            const QByteArray before = world->logBytes();
            const SessionLog::Outcome saved =
                SessionLog::Rewrite({{"1", "2", "3", ""}}, read.loaded);
            const bool kept = world->logBytes() == before;
            outcomes << QString::number(saved.changed) + (kept ? " kept" : " " + world->logBytes());
            if (saved.changed) {
                const SessionLog::Outcome forced =
                    SessionLog::Rewrite({{"1", "2", "3", ""}}, read.loaded, true);
                outcomes << QString::number(forced.ok) + " " + world->logBytes() + "backup " +
                                QFileInfo(forced.backup).fileName();
            }
        }
        QCOMPARE(outcomes.join(" | "), "0 1;2;3;\r\ng;h;i\r\n | 1 kept | 1 1;2;3;\r\nbackup  | "
                                       "1 kept | 1 1;2;3;\r\nbackup SessionLog.txt.bak.1 | "
                                       "1 kept | 1 1;2;3;\r\nbackup SessionLog.txt.bak.2 | "
                                       "1 kept | 1 1;2;3;\r\nbackup ");
        QCOMPARE(world->logBytes(world->logFile() + ".bak"), log); // Clear's
        QCOMPARE(world->logBytes(world->logFile() + ".bak.1"), edited);
        QCOMPARE(world->logBytes(world->logFile() + ".bak.2"), log);
    }

    // Lines lost when two copies share the log: another copy's appends written over, or dropped
    // by a save that falls among them; a program that appends without the lock, as a shell does.
    void twoCopies()
    {
        world->writeLog("a;b;c\r\n");
        QProcess peer;
        peer.start(QCoreApplication::applicationFilePath(),
                   {"--peer", world->programFolder(), "1500"});
        QVERIFY(peer.waitForReadyRead(30000));
        for (int i = 0; i < 1500; ++i) {
            QVERIFY(SessionLog::Append(QString("me;%1;x").arg(i)).ok);
            if (i % 50 == 0)
                QVERIFY(ReadAndRewrite().ok);
        }
        QVERIFY(peer.waitForFinished(60000) && peer.exitCode() == 0);
        const QString stop = world->home.filePath("stop");
        const QString script = "i=0; while [ ! -e \"$1\" ]; do echo \"sh;$i;x\" >> \"$0\"; "
                               "i=$((i+1)); done";
        peer.start("sh", {"-c", script, world->logFile(), stop});
        QVERIFY(peer.waitForStarted());
        for (int i = 1500; i < 3000; ++i)
            QVERIFY(SessionLog::Append(QString("me;%1;x").arg(i)).ok);
        QVERIFY(QFile(stop).open(QIODevice::WriteOnly));
        QVERIFY(peer.waitForFinished(60000) && peer.exitCode() == 0);

        // Each writer's lines, whole and once. A line of the shell's that crosses a page can look
        // unfinished for an instant, so this copy may start a line of its own first: an empty
        // line, but nothing lost.
        QStringList lines = QString(world->logBytes()).remove('\r').split('\n', Qt::SkipEmptyParts);
        lines.replaceInStrings(QRegularExpression(";$"), ""); // a rewrite's empty comment
        const QSet<QString> all(lines.cbegin(), lines.cend());
        int shell = 0, lost = 0;
        while (all.contains(QString("sh;%1;x").arg(shell)))
            ++shell;
        for (int i = 0; i < 3000; ++i)
            lost += !all.contains(QString("me;%1;x").arg(i)) +
                    (i < 1500 && !all.contains(QString("peer;%1;x").arg(i)));
        QVERIFY(shell > 100);
        QCOMPARE(QString("%1 lines, %2 lost").arg(lines.size()).arg(lost),
                 QString("%1 lines, 0 lost").arg(1 + 3000 + 1500 + shell));
    }

    // A log or a stray that is no regular file being read, replaced or removed, a link replaced
    // by a file, and anything but a killed save's own temporary file being removed.
    void oddFiles()
    {
        for (const char *kind : {"fifo", "socket", "device"}) {
            QFile::remove(world->logFile());
            if (!MakeOddFile(kind, world->logFile()))
                continue; // no device nodes but for root
            const SessionLog::ReadResult read = SessionLog::ReadAll(); // never blocks
            const QStringList reasons = {read.outcome.reason, SessionLog::Append("a").reason,
                                         SessionLog::Rewrite({}, read.loaded, true).reason,
                                         SessionLog::Clear().reason};
            QVERIFY2(reasons.filter("not a regular file").size() == 4, qPrintable(kind));
            QCOMPARE(FileKind(world->logFile()), "odd");
        }
        QFile::remove(world->logFile());
        const QString elsewhere = world->home.filePath("elsewhere/");
        QDir().mkpath(elsewhere);
        QVERIFY(QFile::link(elsewhere + "log.txt", world->logFile())); // dangling: no file yet
        QVERIFY(SessionLog::Append("a;b;c").ok && ReadAndRewrite().ok);
        QVERIFY(world->logBytes(elsewhere + "log.txt") == "a;b;c;\r\n" && SessionLog::Clear().ok);
        QVERIFY(FileKind(world->logFile()) == "link" &&
                world->logBytes(elsewhere + "log.txt") == "");

        const QString save = ".log.txt.pendrel-save-";
        const QStringList names = {save + "QkZmP4", save + "XyzAbc",  save + "QkZmP4~",
                                   save + "QkZ-P4", "log.txt.QkZmPa", "log.txt.MyCopy",
                                   "log.txt.bak"};
        for (const QString &name : names) {
            QFile stray(elsewhere + name);
            QVERIFY(stray.open(QIODevice::WriteOnly));
            if (!name.endsWith("XyzAbc")) // a save under way
                stray.setFileTime(QDateTime::currentDateTime().addSecs(-3600),
                                  QFileDevice::FileModificationTime);
        }
        SessionLog::ReadAll();
        QStringList left = QDir(elsewhere).entryList(QDir::Files | QDir::Hidden);
        left.sort();
        QCOMPARE(left, QStringList({save + "QkZ-P4", save + "QkZmP4~", save + "XyzAbc", "log.txt",
                                    "log.txt.MyCopy", "log.txt.QkZmPa", "log.txt.bak"}));
    }
};

// With "--peer FOLDER COUNT", another copy of Pendrel for twoCopies: appends COUNT lines
// "peer;i;x" to the log of FOLDER, saying "started" once under way.
int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    if (argc == 4 && qstrcmp(argv[1], "--peer") == 0) {
        ProgramFolder::SetPath(QString::fromLocal8Bit(argv[2]));
        for (int i = 0; i < atoi(argv[3]); ++i) {
            if (!SessionLog::Append(QString("peer;%1;x").arg(i)).ok)
                return 1;
            if (i == 0) { // the test starts its own writes once this copy is under way
                std::puts("started");
                std::fflush(stdout);
            }
        }
        return 0;
    }
    tst_sessionlog test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_sessionlog.moc"
