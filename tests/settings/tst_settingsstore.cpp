#include "TestSupport.h"

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
