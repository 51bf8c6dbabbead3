// The date text of the log's Start and Stop fields, in every locale that Qt knows.
#include "settings/SettingsStore.h"
#include "settings/TimeFormat.h"

#include <QRegularExpression>
#include <QtTest>

using namespace SettingsStore;

class tst_datetimetext : public QObject
{
    Q_OBJECT

private slots:
    // Brackets or a comma left where the zone name was, a doubled or dangling blank, lost
    // seconds, or anything of the locale's own text dropped or changed.
    void everyLocale()
    {
        const QRegularExpression emptyBrackets(R"(\p{Ps}[\s\p{Cf}]*\p{Pe})");
        const QRegularExpression dangling(
            R"(^[\s\p{Cf}\p{Pd},;،、，]|[\s\p{Cf}\p{Ps}\p{Pe}\p{Pd},;،、，]$)");
        const QRegularExpression doubleBlank(R"(\s\p{Cf}*\s)"), blanks(R"([\s\p{Cf}]+)");
        // The zone "UTC" with what frames it, in the locale's own text for a UTC time.
        const QRegularExpression framedZone(R"([\p{Ps}\p{Pd},;،、，]*UTC\p{Pe}*)");
        const QDate date(2026, 7, 12);
        const auto locales = QLocale::matchingLocales(QLocale::AnyLanguage, QLocale::AnyScript,
                                                      QLocale::AnyTerritory);
        QVERIFY(locales.size() > 500);
        for (const QLocale &locale : locales) {
            for (const QTime time : {QTime(14, 28, 24), QTime(9, 5, 7)}) {
                const QString text = DateTimeText(QDateTime(date, time), locale);
                const QString why = locale.name() + ": " + text;
                const QString dateText = locale.toString(date, QLocale::ShortFormat);
                QVERIFY2(text.startsWith(dateText + ' '), qPrintable(why));
                const QString timeText = text.mid(dateText.size() + 1);
                QVERIFY2(!text.contains(emptyBrackets), qPrintable(why));
                QVERIFY2(!timeText.contains(dangling), qPrintable(why));
                QVERIFY2(!text.contains(doubleBlank), qPrintable(why));
                QVERIFY2(timeText.contains(locale.toString(time, QStringLiteral("s"))),
                         qPrintable(why));
                // All else of the locale's text stays, blanks aside.
                const QString zoned = locale.toString(QDateTime(date, time, Qt::UTC),
                                                      locale.timeFormat(QLocale::LongFormat));
                QCOMPARE(QString(timeText).remove(blanks),
                         QString(zoned).remove(blanks).remove(framedZone));
            }
        }
        const QDateTime when(date, QTime(14, 28, 24));
        QCOMPARE(DateTimeText(when, QLocale("es_ES")), "12/7/26 14:28:24");
        QCOMPARE(DateTimeText(when, QLocale("be_BY")), "12.07.26 14:28:24");
        QCOMPARE(DateTimeText(when, QLocale("zh_Hant_HK")), "12/7/2026 下午2:28:24");
        QCOMPARE(DateTimeText(when, QLocale("bg_BG")), "12.07.26 г. 14:28:24 ч.");
    }

    // Marks and blanks of other kinds, a zone between two fields, a bracket that holds more.
    void formats()
    {
        const std::pair<const char16_t *, const char16_t *> rows[] = {
            {u"h:mm:ss\u202fAP\u202ft", u"h:mm:ss\u202fAP"},
            {u"\u200fH:mm:ss\u200f\u00a0(t)", u"\u200fH:mm:ss"},
            {u"t\u200f, HH:mm:ss", u"HH:mm:ss"},
            {u"HH:mm (t) ss", u"HH:mm ss"},
            {u"HH:mm:ss ('t' t)", u"HH:mm:ss ('t')"},
            {u"'o''clock' h t", u"'o''clock' h"},
            {u"t", u""},
        };
        for (const auto &[format, shown] : rows)
            QCOMPARE(TimeFormatWithoutZone(QString::fromUtf16(format)), QString::fromUtf16(shown));
    }
};

QTEST_GUILESS_MAIN(tst_datetimetext)
#include "tst_datetimetext.moc"
