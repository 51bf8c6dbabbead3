// The settings store without any window: conversions, junk, saves that fail or seem to, files
// that are no regular file, and the date text in every locale Qt knows.
#include "CoreTestSupport.h"

#include "settings/SettingsStore.h"
#include "settings/TimeFormat.h"

using namespace SettingsStore;

class tst_settingsstore : public QObject
{
    Q_OBJECT

    std::unique_ptr<TestHome> world;

private slots:
    void init() { world = std::make_unique<TestHome>(); }

    // Each row: the stored text, then what it reads as a boolean and as a 16-bit integer. Absent
    // keys and junk read as the defaults, reading writes nothing, a list reads as one text.
    void defaultsAndJunk()
    {
        auto read = [](auto value) { return value ? QString::number(*value) : QString("none"); };
        for (const QString row :
             {"True: 1 none", "false: 0 none", "0.0: 0 0", "2.5: 1 2", "3.5: 1 4", "-2.5: 1 -2",
              "-32768: 1 -32768", "32767.5: 1 32767", "70000: 1 32767", "-1e9: 1 -32768",
              "abc: none none", ": none none", "1,000: 1 1000", "1,0: none none",
              "\u0663\u0660: 1 30"}) {
            const QString text = row.section(": ", 0, 0);
            QCOMPARE(text + ": " + read(ToBoolean(text)) + ' ' + read(ToInteger16(text)), row);
        }
        QLocale::setDefault(QLocale::German); // the user's own way first, then the stored one
        for (const auto &[text, days] : {std::pair{"1.000", 1000}, {"2,5", 2}, {"3.5", 4}})
            QCOMPARE(ToInteger16(text), qint16(days));
        QLocale::setDefault(QLocale::c());
        QCOMPARE(GetSetting(SectionSettings, KeyCustomText, "absent"), "absent");
        QVERIFY(!QFile::exists(world->settingsFile()));
        world->writeLog("[Settings]\nDisplay%20Warnings=\nWarning%20Days=99999\n"
                        "Custom%20Text=one, two,three\n",
                        world->settingsFile());
        QCOMPARE(GetBoolean(SectionSettings, KeyDisplayWarnings, true), true);
        QCOMPARE(GetInteger16(SectionSettings, KeyWarningDays, 3), 32767);
        QCOMPARE(GetSetting(SectionSettings, KeyCustomText), "one, two, three");
        QByteArray garbage; // a file of garbage reads as defaults
        for (int i = 0; i < 4096; ++i)
            garbage.append(char(i * 7919 % 251));
        world->writeLog(garbage, world->settingsFile());
        QCOMPARE(GetInteger16(SectionSettings, KeyWarningDays, 3), 3);
        QCOMPARE(GetBoolean(SectionSettings, KeyPlaySounds, false), false);
    }

    // A byte-order mark or a junk line taken for a failed write; a save of several values that
    // fails storing some of them, or showing them to a later read; a store that can't be
    // written saying nothing.
    void savingSeveralValues()
    {
        world->writeLog("\xef\xbb\xbf[Settings]\r\nCustom%20Text=kept\r\njunk line\r\n",
                        world->settingsFile());
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
        world->blockSettingsStore();
        QVERIFY(!SaveSetting(SectionSession, KeyStart, "now"));
    }

    // A settings file that is a pipe or a device blocking the program or being replaced by a
    // regular file, and a link replaced instead of followed.
    void oddStoreFiles()
    {
        const QString store = world->settingsFile();
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
        QVERIFY(QFile::link(world->home.filePath("elsewhere.ini"), store));
        QVERIFY(SaveSetting(SectionSettings, KeyCustomText, "through"));
        QCOMPARE(GetSetting(SectionSettings, KeyCustomText), "through");
        QVERIFY(FileKind(store) == "link" &&
                QFileInfo(world->home.filePath("elsewhere.ini")).size());
    }

    // Brackets or a comma left where the zone name was, a doubled or dangling blank, lost
    // seconds, a day period printed as a letter B, or anything of the locale's own text dropped
    // or changed: the time must be the locale's own text for a UTC time, blanks aside, less the
    // zone "UTC" and what frames it. The date alone at midnight, and only then.
    void everyLocale()
    {
        const QRegularExpression badBlank(R"(^[\s\p{Cf}]|\s\p{Cf}*\s|[\s\p{Cf}]$)");
        const QRegularExpression blanks(R"([\s\p{Cf}]+)");
        const QRegularExpression framedZone(R"([\p{Ps}\p{Pd},;،、，]*UTC\p{Pe}*)");
        const QDate date(2026, 7, 12);
        const auto locales = QLocale::matchingLocales(QLocale::AnyLanguage, QLocale::AnyScript,
                                                      QLocale::AnyTerritory);
        QVERIFY(locales.size() > 500);
        for (const QLocale &locale : locales) {
            for (const QTime time : {QTime(14, 28, 24), QTime(9, 5, 7)}) {
                const QString text = DateTimeText(QDateTime(date, time), locale);
                const QString dateText = locale.toString(date, QLocale::ShortFormat);
                const QString timeText = text.mid(dateText.size() + 1);
                // A day period ("B"), which the toolkit prints as a letter, shows as its AM/PM.
                const QString own = locale.timeFormat(QLocale::LongFormat).replace("B", "AP");
                const QString zoned = locale.toString(QDateTime(date, time, Qt::UTC), own);
                QVERIFY2(text.startsWith(dateText + ' ') && !timeText.contains(badBlank) &&
                             timeText.contains(locale.toString(time, QStringLiteral("s"))) &&
                             QString(timeText).remove(blanks) ==
                                 QString(zoned).remove(blanks).remove(framedZone),
                         qPrintable(locale.name() + ": " + text));
            }
        }
        const std::tuple<const char *, QTime, const char *> rows[] = {
            {"es_ES", QTime(14, 28, 24), "12/7/26 14:28:24"},
            {"zh_Hant_HK", QTime(14, 28, 24), "12/7/2026 下午2:28:24"},
            {"zh_TW", QTime(14, 28, 24), "2026/7/12 下午2:28:24"},
            {"zh_TW", QTime(9, 5, 7), "2026/7/12 上午9:05:07"},
            {"en_US", QTime(0, 0), "7/12/26"},
            {"en_US", QTime(0, 0, 1), "7/12/26 12:00:01 AM"}};
        for (const auto &[name, time, shown] : rows)
            QCOMPARE(DateTimeText(QDateTime(date, time), QLocale(name)), QString(shown));
        QCOMPARE(DateTimeText(QDateTime(date, QTime(13, 4, 5), Qt::UTC), QLocale("en_US")),
                 "7/12/26 1:04:05 PM");
        // Formats no locale has today: a zone between two fields, a bracket that holds more.
        for (const auto &[format, kept] : {std::pair{"HH:mm (t) ss", "HH:mm ss"},
                                           {"HH:mm:ss ('t' t)", "HH:mm:ss ('t')"},
                                           {"'o''clock' h t", "'o''clock' h"}})
            QCOMPARE(TimeFormatWithoutZone(format), QString(kept));
        // A day period beside an AM/PM of its own, or quoted, adds nothing.
        for (const auto &[format, kept] : {std::pair{"Bh:mm a", "h:mm a"}, {"'B' h", "'B' h"}})
            QCOMPARE(TimeFormatWithAmPm(format), QString(kept));
    }
};

QTEST_GUILESS_MAIN(tst_settingsstore)
#include "tst_settingsstore.moc"
