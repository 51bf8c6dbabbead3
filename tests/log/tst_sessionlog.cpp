// The session log file: the snapshot line, reading and rewriting byte for byte, the per-user
// fallback folder and writes that fail.
#include "LogTestSupport.h"

#include "app/frmMain.h"
#include "log/SessionLog.h"
#include "settings/SettingsStore.h"

#include <QtTest>

using namespace SettingsStore;

namespace {
// Rows as text: cells joined by "|", rows by "/".
QString Shown(const std::vector<SessionLog::Row> &rows)
{
    QStringList lines;
    for (const SessionLog::Row &row : rows)
        lines << QStringList(row.begin(), row.end()).join('|');
    return lines.join('/');
}

QByteArray Snapshot(frmMain &window, const QStringList &captions)
{
    const char *names[] = {"lblYears",   "lblDays",    "lblHours",
                           "lblMinutes", "lblSeconds", "lblSecHundreds"};
    for (int i = 0; i < 6; ++i)
        modStopWatch::SetCaption(&window, names[i], captions[i]);
    window.cmdSnapshot_Click();
    return GetSetting(SectionSession, KeyStop).toUtf8();
}
} // namespace

class tst_sessionlog : public QObject
{
    Q_OBJECT

    std::unique_ptr<LogWorld> world;

private slots:
    void init() { world = std::make_unique<LogWorld>(); }
    void cleanup() { world.reset(); }

    void snapshotLines()
    {
        frmMain window;
        const QByteArray zero = Snapshot(window, {"0 Years", "0 Days", "00:", "00:", "00.", "00"});
        QVERIFY(!zero.isEmpty());
        const QByteArray first = ";" + zero + ";0 years, 0 days, 00:00:00.00\r\n"; // no Start yet
        QCOMPARE(world->logBytes(), first);

        // Only the elapsed time is lower-cased; the stored times are copied as they stand.
        SaveSetting(SectionSession, KeyStart, "06/12/2026 8:34:04 PM");
        const QByteArray stop = Snapshot(window, {"12 Years", "3 Days", "04:", "05:", "06.", "78"});
        QCOMPARE(world->logBytes(),
                 first + "06/12/2026 8:34:04 PM;" + stop + ";12 years, 3 days, 04:05:06.78\r\n");
        QVERIFY(MessageBox::history().isEmpty());

        // A last line without its line end is not joined to the next.
        world->writeLog("a;b;c");
        QVERIFY(SessionLog::Append("d;e;f").ok);
        QCOMPARE(world->logBytes(), QByteArray("a;b;c\r\nd;e;f\r\n"));
    }

    void readAndRewrite_data()
    {
        QTest::addColumn<QByteArray>("file");
        QTest::addColumn<QString>("rows");
        QTest::addColumn<QByteArray>("rewritten");
        QTest::newRow("snapshot line gains an empty comment")
            << QByteArray("s;t;0 years, 1 days, 00:00:01.00\r\n") << "s|t|1 days, 00:00:01.00|"
            << QByteArray("s;t;1 days, 00:00:01.00;\r\n");
        QTest::newRow("empty line")
            << QByteArray("a;b;c\r\n\r\nd;e;f;g\r\n") << "a|b|c|/|||/d|e|f|g"
            << QByteArray("a;b;c;\r\n;;;\r\nd;e;f;g\r\n");
        QTest::newRow("upper case anywhere")
            << QByteArray("8:00 PM;9:00 PM;0 Years, 0 Days, 01:00:00.00;Met ANNA\r\n")
            << "8:00 pm|9:00 pm|01:00:00.00|met anna"
            << QByteArray("8:00 pm;9:00 pm;01:00:00.00;met anna\r\n");
        QTest::newRow("semicolons in the comment are kept")
            << QByteArray("a;b;c;one;two;\r\n") << "a|b|c|one;two;"
            << QByteArray("a;b;c;one;two;\r\n");
        QTest::newRow("a tab breaks fields")
            << QByteArray("a\tb;c\r\n") << "a|b|c|" << QByteArray("a;b;c;\r\n");
        QTest::newRow("lone LF") << QByteArray("a;b;c\nd;e;f\n") << "a|b|c|/d|e|f|"
                                 << QByteArray("a;b;c;\r\nd;e;f;\r\n");
        QTest::newRow("mixed ends, none at the last line")
            << QByteArray("a;b;c\r\nd;e;f\ng;h;i\rj;k;l") << "a|b|c|/d|e|f|/g|h|i|/j|k|l|"
            << QByteArray("a;b;c;\r\nd;e;f;\r\ng;h;i;\r\nj;k;l;\r\n");
        QTest::newRow("empty file") << QByteArray() << "" << QByteArray();
        QTest::newRow("system encoding") << QByteArray("caf\xc3\x89;\xe2\x82\xac;x\r\n")
                                         << QString::fromUtf8("caf\xc3\xa9|\xe2\x82\xac|x|")
                                         << QByteArray("caf\xc3\xa9;\xe2\x82\xac;x;\r\n");
    }
    void readAndRewrite()
    {
        QFETCH(QByteArray, file);
        QFETCH(QString, rows);
        QFETCH(QByteArray, rewritten);
        world->writeLog(file);
        const SessionLog::ReadResult read = SessionLog::ReadAll();
        QVERIFY(read.outcome.ok);
        QCOMPARE(Shown(read.rows), rows);
        QVERIFY(SessionLog::Rewrite(read.rows).ok);
        QCOMPARE(world->logBytes(), rewritten);
    }

    void zeroParts_data()
    {
        QTest::addColumn<QString>("field");
        QTest::addColumn<QString>("shown");
        QTest::newRow("both") << "0 Years, 0 Days, 01:02:03.04"
                              << "01:02:03.04";
        QTest::newRow("years") << "0 years, 10 days, 05:03:02.11"
                               << "10 days, 05:03:02.11";
        QTest::newRow("days") << "2 years, 0 days, 05:03:02.11"
                              << "2 years, 05:03:02.11";
        QTest::newRow("counts ending in 0") << "10 years, 20 days, 00:00:01.00"
                                            << "10 years, 20 days, 00:00:01.00";
        QTest::newRow("last part stays") << "0 years, 0 days"
                                         << "0 days";
        QTest::newRow("whole parts only") << "00 years, 0 daysx, 1"
                                          << "00 years, 0 daysx, 1";
    }
    void zeroParts()
    {
        QFETCH(QString, field);
        QFETCH(QString, shown);
        QCOMPARE(SessionLog::ParseLine(QString("a;b;" + field)).at(2), shown);
    }

    void rewriteKeepsOneRowOnOneLine()
    {
        QVERIFY(SessionLog::Rewrite({{"a", "b", "c", "one\r\ntwo\nthree\rfour"}}).ok);
        QCOMPARE(world->logBytes(), QByteArray("a;b;c;one two three four\r\n"));
    }

    // Every operation meets at the per-user file when the program's folder can't be written.
    void fallbackFolder()
    {
        world->makeProgramFolderUnwritable();
        const QString fallback = world->fallbackLogFile();
        QVERIFY(fallback.startsWith(world->home.path()));

        frmMain window;
        window.cmdSnapshot_Click();
        QVERIFY(MessageBox::history().isEmpty());
        QCOMPARE(LogWorld::read(fallback).count("\r\n"), 1);

        std::vector<SessionLog::Row> rows = SessionLog::ReadAll().rows;
        QCOMPARE(rows.size(), size_t(1));
        rows[0][3] = "note";
        QVERIFY(SessionLog::Rewrite(rows).ok);
        QVERIFY(LogWorld::read(fallback).endsWith(";note\r\n"));
        QVERIFY(SessionLog::Remove().ok);
        QVERIFY(!QFile::exists(fallback));
    }

    void failedWritesLeaveTheFileAsItWas()
    {
        const QByteArray old = "a;b;c\r\n";
        world->writeLog(old);
        frmMain window;
        SessionLog::Outcome rewrite;
        {
            FileSizeLimit limit(old.size() + 4);
            window.cmdSnapshot_Click();
            rewrite = SessionLog::Rewrite({100, SessionLog::Row{"x", "y", "z", "comment"}});
        }
        QCOMPARE(world->logBytes(), old);
        QCOMPARE(QDir(world->programFolder()).entryList(QDir::Files),
                 QStringList{"SessionLog.txt"});
        // The settings store meets the full disk too; the log's own error names the log.
        const MessageBox::Shown &logError = MessageBox::history().last();
        QCOMPARE(logError.kind, MessageBox::Error);
        QVERIFY(logError.text.contains(QDir::toNativeSeparators(world->logFile())));
        QVERIFY(!rewrite.ok);
        QCOMPARE(rewrite.path, world->logFile());
        QVERIFY(!rewrite.reason.isEmpty());
    }
};

QTEST_MAIN(tst_sessionlog)
#include "tst_sessionlog.moc"
