// The settings store without any window: conversions, saves that fail, and the date text.
#include "CoreTestSupport.h"

#include "files/Autostart.h"
#include "files/RegularFile.h"
#include "files/UserFolders.h"
#include "settings/Preferences.h"
#include "settings/SettingsStore.h"

#include <pwd.h>

using namespace SettingsStore;

class tst_settingsstore : public QObject
{
    Q_OBJECT

    std::unique_ptr<TestHome> world;

private slots:
    void init() { world = std::make_unique<TestHome>(); }
    void cleanup() { world.reset(); }

    // A stored text as a boolean and a 16-bit integer ("none": no value), in two locales.
    void conversions_data()
    {
        QTest::addColumn<QString>("locale");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("boolean");
        QTest::addColumn<QString>("integer");
        const char *rows[][4] = {{"C", "True", "1", "none"},   {"C", "false", "0", "none"},
                                 {"C", "0.0", "0", "0"},       {"C", "2.5", "1", "2"},
                                 {"C", "3.5", "1", "4"},       {"C", "32767.5", "1", "32767"},
                                 {"C", "99999", "1", "32767"}, {"C", "-1e9", "1", "-32768"},
                                 {"C", "abc", "none", "none"}, {"C", "1,000", "1", "1000"},
                                 {"C", "1,0", "none", "none"}, {"C", "\u0663\u0660", "1", "30"},
                                 {"de", "1.000", "1", "1000"}, {"de", "2,5", "1", "2"},
                                 {"de", "3.5", "1", "4"}};
        for (const auto &[locale, text, boolean, integer] : rows)
            QTest::addRow("%s \"%s\"", locale, text) << locale << text << boolean << integer;
    }
    void conversions()
    {
        QFETCH(QString, locale);
        QFETCH(QString, text);
        const auto restore = qScopeGuard([old = QLocale()] { QLocale::setDefault(old); });
        QLocale::setDefault(QLocale(locale));
        const auto read = [](auto value) {
            return value ? QString::number(*value) : QString("none");
        };
        QTEST(read(ToBoolean(text)), "boolean");
        QTEST(read(ToInteger16(text)), "integer");
    }

    // A relative XDG folder ignored; no $HOME never means the root of the disk.
    void userFolders_data()
    {
        QTest::addColumn<QByteArray>("xdg");
        QTest::addColumn<QByteArray>("home");
        QTest::addColumn<QString>("config");
        const QString account = QFile::decodeName(::getpwuid(::getuid())->pw_dir);
        QTest::newRow("absolute") << QByteArray("/x/c") << QByteArray("/h") << "/x/c";
        QTest::newRow("relative") << QByteArray("c") << QByteArray("/h") << "/h/.config";
        QTest::newRow("no home") << QByteArray() << QByteArray() << account + "/.config";
    }
    void userFolders()
    {
        QFETCH(QByteArray, xdg);
        QFETCH(QByteArray, home);
        QFETCH(QString, config);
        const EnvironmentVariable configHome("XDG_CONFIG_HOME", xdg),
            dataHome("XDG_DATA_HOME", xdg), homeFolder("HOME", home);
        QCOMPARE(UserFolders::ConfigHome(), config);
        QCOMPARE(UserFolders::DataHome(), QString(config).replace(".config", ".local/share"));
    }

    // The login entry: written, switched off by the desktop, removed only where Pendrel wrote it.
    void autostart()
    {
        const QString entry = Autostart::EntryPath();
        QCOMPARE(Autostart::Set(true, "/opt/my apps/pendrel"), QString());
        QVERIFY(Autostart::IsOn());
        QVERIFY(world->logBytes(entry).contains("\nExec=\"/opt/my apps/pendrel\" --minimized\n"));
        world->writeLog(world->logBytes(entry) + "Hidden=true\n", entry);
        QVERIFY(!Autostart::IsOn());
        QCOMPARE(Autostart::Set(true, "pendrel"), QString());
        QCOMPARE(Autostart::Set(false, "pendrel"), QString());
        QCOMPARE(FileKind(entry), "missing");
        world->writeLog("[Desktop Entry]\nExec=pendrel\n", entry); // the user's own
        QVERIFY(Autostart::IsOn());
        QCOMPARE(Autostart::Set(false, "pendrel"), QString());
        QVERIFY(!Autostart::IsOn());
        QCOMPARE(FileKind(entry), "file");
    }

    // Several values saved whole or not at all, synced; hand-edited junk read, and kept whole.
    void savingSeveralValues()
    {
        world->writeLog(
            "\xef\xbb\xbf[Settings]\r\nCustom%20Text=a, b,c\r\nDisplay%20Warnings=\r\njunk\r\n",
            world->settingsFile());
        QCOMPARE(GetBoolean(SectionSettings, KeyDisplayWarnings, true), true);
        const auto stored = [] {
            return QStringList{GetSetting(SectionSettings, KeyCustomText),
                               GetSetting(SectionSettings, KeyPlaySounds),
                               GetSetting(SectionSettings, KeyWarningDays)};
        };
        QList<RegularFile::SyncKind> syncs;
        RegularFile::SetSyncer([&](int, RegularFile::SyncKind kind) {
            syncs << kind;
            return 0;
        });
        const auto restore = qScopeGuard([] { RegularFile::SetSyncer({}); });
        QVERIFY(SaveSettings(SectionSettings, {{KeyPlaySounds, "0"}, {KeyWarningDays, "5"}}));
        QCOMPARE(stored(), (QStringList{"a, b, c", "0", "5"}));
        QCOMPARE(syncs, QList<RegularFile::SyncKind>({RegularFile::SyncKind::Folder}));
        {
            FileSizeLimit limit(40); // the new file can't be written whole
            QVERIFY(!SaveSettings(SectionSettings, {{KeyCustomText, "new"}, {KeyPlaySounds, "1"}}));
        }
        QCOMPARE(stored(), (QStringList{"a, b, c", "0", "5"}));
        world->blockSettingsStore();
        QVERIFY(!SaveSetting(SectionSession, KeyStart, "now"));
    }

    // A pipe in the store's place, which would block a read, refused and left there.
    void pipeAsStore()
    {
        const QString file = world->settingsFile();
        QDir().mkpath(QFileInfo(file).path());
        QVERIFY(MakePipe(file));
        QVERIFY(!SaveSetting(SectionSettings, KeyCustomText, "saved"));
        QCOMPARE(GetSetting(SectionSettings, KeyCustomText, "none"), "none");
        QCOMPARE(FileKind(file), "odd");
        QVERIFY(LastFailure().contains("not a regular file"));
    }

    // The locale's own date and time, seconds and day periods kept; midnight as the date alone.
    void knownTexts_data()
    {
        QTest::addColumn<QString>("locale");
        QTest::addColumn<QTime>("time");
        QTest::addColumn<QString>("shown");
        const char *rows[][4] = {{"zh_TW", "zh_TW", "14:28:24", "2026/7/12 下午2:28:24"},
                                 {"my", "my", "14:28:24", "၁၂-၀၇-၂၆ ၁၄:၂၈:၂၄"},
                                 {"nus", "nus", "09:05:07", "12/07/2026 9:05:07 RW"},
                                 {"midnight", "en_US", "00:00:00", "7/12/26"},
                                 {"a second past", "en_US", "00:00:01", "7/12/26 12:00:01 AM"}};
        for (const auto &[name, locale, time, shown] : rows)
            QTest::newRow(name) << locale << QTime::fromString(time) << shown;
    }
    void knownTexts()
    {
        QFETCH(QString, locale);
        QFETCH(QTime, time);
        QTEST(DateTimeText(QDateTime(QDate(2026, 7, 12), time), QLocale(locale)), "shown");
    }
};

QTEST_GUILESS_MAIN(tst_settingsstore)
#include "tst_settingsstore.moc"
