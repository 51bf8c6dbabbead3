#include "log/LogTestSupport.h"

#include "settings/SettingsStore.h"

#include <QtTest>

using namespace SettingsStore;

class tst_settingsstore : public QObject
{
    Q_OBJECT

private slots:
    // Each row: the stored text, then what it reads as a boolean and as a 16-bit integer.
    void conversions()
    {
        auto read = [](auto value) { return value ? QString::number(*value) : QString("none"); };
        for (const QString row :
             {"True: 1 none", "false: 0 none", "0.0: 0 0", "2.5: 1 2", "3.5: 1 4", "-2.5: 1 -2",
              "-32768: 1 -32768", "32767.5: 1 none", "70000: 1 none", "abc: none none",
              ": none none", "1,000: none none"}) {
            const QString text = row.section(": ", 0, 0);
            QCOMPARE(text + ": " + read(ToBoolean(text)) + ' ' + read(ToInteger16(text)), row);
        }
    }

    // Absent keys and junk read as the defaults, reading writes nothing, a list reads as one text.
    void defaultsAndJunk()
    {
        TestWorld world;
        QCOMPARE(GetSetting(SectionSettings, KeyCustomText, "absent"), "absent");
        QVERIFY(!QFile::exists(world.settingsFile()));
        QVERIFY(SaveSetting(SectionSettings, KeyDisplayWarnings, ""));
        QFile file(world.settingsFile());
        QVERIFY(file.open(QIODevice::Append));
        file.write("Warning%20Days=99999\nCustom%20Text=one, two,three\n");
        file.close();
        QCOMPARE(GetBoolean(SectionSettings, KeyDisplayWarnings, true), true);
        QCOMPARE(GetInteger16(SectionSettings, KeyWarningDays, 3), 3);
        QCOMPARE(GetSetting(SectionSettings, KeyCustomText), "one, two, three");
        // A file of garbage reads as defaults.
        QByteArray garbage;
        for (int i = 0; i < 4096; ++i)
            garbage.append(char(i * 7919 % 251));
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(garbage);
        file.close();
        QCOMPARE(GetInteger16(SectionSettings, KeyWarningDays, 3), 3);
        QCOMPARE(GetBoolean(SectionSettings, KeyPlaySounds, true), true);
    }

    // Commas, quotes and the empty text must survive a save; a store that can't be written says so.
    void savingTexts()
    {
        TestWorld world;
        for (const QString text : {"", "a, b", "x;y", "\"quoted\"", "100%", "Ünïcødé"}) {
            QVERIFY(SaveSetting(SectionSettings, KeyCustomText, text));
            QCOMPARE(GetSetting(SectionSettings, KeyCustomText, "default"), text);
        }
        QVERIFY(QFile(world.home.filePath("f")).open(QIODevice::WriteOnly)); // a file, not a folder
        QSettings::setPath(QSettings::IniFormat, QSettings::UserScope, world.home.filePath("f/c"));
        QVERIFY(!SaveSetting(SectionSession, KeyStart, "now"));
    }

    // Guards a false alarm (a byte-order mark or a junk line taken for a failed write), and a
    // save of several values that stores some of them.
    void savingSeveralValues()
    {
        TestWorld world;
        QDir().mkpath(QFileInfo(world.settingsFile()).path());
        QFile file(world.settingsFile());
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write("\xef\xbb\xbf[Settings]\r\nCustom%20Text=kept\r\njunk line\r\n");
        file.close();
        const auto stored = [] {
            return GetSetting(SectionSettings, KeyCustomText) + '|' +
                   GetSetting(SectionSettings, KeyPlaySounds) + '|' +
                   GetSetting(SectionSettings, KeyWarningDays);
        };
        QVERIFY(SaveSettings(SectionSettings, {{KeyPlaySounds, "0"}, {KeyWarningDays, "5"}}));
        QCOMPARE(stored(), "kept|0|5");
        {
            FileSizeLimit limit(40); // the new file can't be written whole
            QVERIFY(!SaveSettings(SectionSettings, {{KeyCustomText, "new"}, {KeyPlaySounds, "1"}}));
        }
        QCOMPARE(stored(), "kept|0|5");
    }

    // Guards a settings file that is a pipe or a device blocking the program or being replaced
    // by a regular file, and a link replaced instead of followed.
    void oddStoreFiles()
    {
        TestWorld world;
        const QString store = world.settingsFile();
        QDir().mkpath(QFileInfo(store).path());
        for (const char *kind : {"fifo", "socket", "device"}) {
            QFile::remove(store);
            if (!MakeOddFile(kind, store))
                continue; // no device nodes but for root
            QCOMPARE(GetSetting(SectionSettings, KeyCustomText, "default"), "default");
            QVERIFY(!SaveSetting(SectionSession, KeyStart, "now"));
            QVERIFY(LastFailure().contains("not a regular file") && FileKind(store) == "odd");
        }
        QFile::remove(store);
        QVERIFY(QFile::link(world.home.filePath("elsewhere.ini"), store));
        QVERIFY(SaveSetting(SectionSettings, KeyCustomText, "through"));
        QCOMPARE(GetSetting(SectionSettings, KeyCustomText), "through");
        QVERIFY(FileKind(store) == "link" &&
                QFileInfo(world.home.filePath("elsewhere.ini")).size());
    }

    // The locale's short date and long time, the date alone at midnight, never a zone name.
    void dateTimeTexts()
    {
        const QLocale us(QLocale::English, QLocale::UnitedStates);
        const QDate date(2026, 3, 7);
        QCOMPARE(DateTimeText(QDateTime(date, QTime(13, 4, 5)), us), "3/7/26 1:04:05 PM");
        QCOMPARE(DateTimeText(QDateTime(date, QTime(0, 0)), us), "3/7/26");
        QCOMPARE(DateTimeText(QDateTime(date, QTime(0, 0, 1)), us), "3/7/26 12:00:01 AM");
        QCOMPARE(DateTimeText(QDateTime(date, QTime(13, 4, 5), Qt::UTC), us), "3/7/26 1:04:05 PM");
    }
};

QTEST_MAIN(tst_settingsstore)
#include "tst_settingsstore.moc"
