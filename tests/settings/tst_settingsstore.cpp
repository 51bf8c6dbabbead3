// The settings store and its conversions from stored text.
#include "TestSupport.h"

#include "settings/SettingsStore.h"

#include <QDateTime>
#include <QFile>
#include <QLocale>
#include <QtTest>

using namespace SettingsStore;

class tst_settingsstore : public QObject
{
    Q_OBJECT

    std::unique_ptr<TestWorld> world;

    void writeStore(const QByteArray &contents)
    {
        QDir().mkpath(QFileInfo(world->settingsFile()).path());
        QFile file(world->settingsFile());
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(contents);
    }

private slots:
    void init() { world = std::make_unique<TestWorld>(); }
    void cleanup() { world.reset(); }

    void booleans_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("expected"); // -1: no value
        QTest::newRow("True") << "True" << 1;
        QTest::newRow("false") << "false" << 0;
        QTest::newRow("TRUE") << "TRUE" << 1;
        QTest::newRow("1") << "1" << 1;
        QTest::newRow("0") << "0" << 0;
        QTest::newRow("-1") << "-1" << 1;
        QTest::newRow("0.0") << "0.0" << 0;
        QTest::newRow("70000") << "70000" << 1;
        QTest::newRow("spaces") << " 1 " << 1;
        QTest::newRow("abc") << "abc" << -1;
        QTest::newRow("maybe") << "maybe" << -1;
        QTest::newRow("empty") << "" << -1;
        QTest::newRow("nan") << "nan" << -1;
        QTest::newRow("grouped") << "1,000" << -1;
    }
    void booleans()
    {
        QFETCH(QString, text);
        QFETCH(int, expected);
        const std::optional<bool> value = ToBoolean(text);
        QCOMPARE(value.has_value(), expected >= 0);
        if (value)
            QCOMPARE(int(*value), expected);
    }

    void integers_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("expected"); // 99999: no value
        QTest::newRow("3") << "3" << 3;
        QTest::newRow("2.5 to even") << "2.5" << 2;
        QTest::newRow("3.5 to even") << "3.5" << 4;
        QTest::newRow("-2.5 to even") << "-2.5" << -2;
        QTest::newRow("2.6") << "2.6" << 3;
        QTest::newRow("lowest") << "-32768" << -32768;
        QTest::newRow("highest") << "32767" << 32767;
        QTest::newRow("just too high") << "32767.5" << 99999;
        QTest::newRow("70000") << "70000" << 99999;
        QTest::newRow("-40000") << "-40000" << 99999;
        QTest::newRow("abc") << "abc" << 99999;
        QTest::newRow("True") << "True" << 99999;
        QTest::newRow("empty") << "" << 99999;
        QTest::newRow("inf") << "inf" << 99999;
        QTest::newRow("3 days") << "3 days" << 99999;
    }
    void integers()
    {
        QFETCH(QString, text);
        QFETCH(int, expected);
        const std::optional<qint16> value = ToInteger16(text);
        QCOMPARE(value.has_value(), expected != 99999);
        if (value)
            QCOMPARE(int(*value), expected);
    }

    void absentKeysGiveTheDefaults()
    {
        QCOMPARE(GetSetting(SectionSettings, KeyCustomText, DefaultCustomText),
                 QString("You have not had sex in:"));
        QCOMPARE(GetSetting(SectionSession, KeyStart), QString());
        QCOMPARE(GetBoolean(SectionSettings, KeyPlaySounds, true), true);
        QCOMPARE(GetInteger16(SectionSettings, KeyWarningDays, 3), qint16(3));
        // Reading never writes a default back.
        QVERIFY(!QFile::exists(world->settingsFile()));
    }

    void savedTextsComeBackUnchanged()
    {
        const QStringList texts = {"", "a, b", "x;y", "\"quoted\"", "<b>x</b>", "100%", "Ünïcødé"};
        for (const QString &text : texts) {
            QVERIFY(SaveSetting(SectionSettings, KeyCustomText, text));
            QCOMPARE(GetSetting(SectionSettings, KeyCustomText, "default"), text);
        }
        // An empty text is a value, not an absent key.
        QVERIFY(SaveSetting(SectionSettings, KeyCustomText, ""));
        QCOMPARE(GetSetting(SectionSettings, KeyCustomText, "default"), QString());
    }

    void junkFallsBackToTheKeysDefault()
    {
        writeStore("[Settings]\nPlay%20Sounds=maybe\nWarning%20Days=99999\n"
                   "Display%20Warnings=\nCustom%20Text=one, two,three\n");
        QCOMPARE(GetBoolean(SectionSettings, KeyPlaySounds, true), true);
        QCOMPARE(GetBoolean(SectionSettings, KeyDisplayWarnings, true), true);
        QCOMPARE(GetInteger16(SectionSettings, KeyWarningDays, 3), qint16(3));
        // A hand-written comma makes a list; it reads back as one text.
        QCOMPARE(GetSetting(SectionSettings, KeyCustomText), QString("one, two, three"));
    }

    void garbageFileReadsAsDefaults()
    {
        QByteArray junk;
        for (int i = 0; i < 4096; ++i)
            junk.append(char((i * 7919) % 256));
        writeStore(junk);
        QCOMPARE(GetInteger16(SectionSettings, KeyWarningDays, 3), qint16(3));
        QCOMPARE(GetBoolean(SectionSettings, KeyDisplayWarnings, true), true);
    }

    void unwritableStoreReportsFailure()
    {
        // A regular file where the store's folder should be: nothing below it can be written.
        QFile blocker(world->home.filePath("blocked"));
        QVERIFY(blocker.open(QIODevice::WriteOnly));
        blocker.close();
        QSettings::setPath(QSettings::IniFormat, QSettings::UserScope,
                           world->home.filePath("blocked/config"));
        QVERIFY(!SaveSetting(SectionSession, KeyStart, "now"));
        QCOMPARE(GetSetting(SectionSession, KeyStart, "absent"), QString("absent"));
    }

    void dateTimeTexts()
    {
        const QLocale us(QLocale::English, QLocale::UnitedStates);
        const QLocale de(QLocale::German, QLocale::Germany);
        const QDateTime afternoon(QDate(2026, 3, 7), QTime(13, 4, 5));
        const QDateTime midnight(QDate(2026, 3, 7), QTime(0, 0, 0));
        const QDateTime afterMidnight(QDate(2026, 3, 7), QTime(0, 0, 1));

        QCOMPARE(DateTimeText(afternoon, us), QString("3/7/26 1:04:05 PM"));
        QCOMPARE(DateTimeText(afternoon, de), QString("07.03.26 13:04:05"));
        QCOMPARE(DateTimeText(midnight, us), QString("3/7/26"));
        QCOMPARE(DateTimeText(afterMidnight, de), QString("07.03.26 00:00:01"));
        // No zone name, whatever the time zone.
        const QDateTime utc(QDate(2026, 3, 7), QTime(13, 4, 5), Qt::UTC);
        QVERIFY(!DateTimeText(utc, us).contains("UTC"));
    }
};

QTEST_MAIN(tst_settingsstore)
#include "tst_settingsstore.moc"
