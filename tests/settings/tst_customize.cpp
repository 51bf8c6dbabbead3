// The Customize dialog through its controls: what it shows, what each way out of it stores,
// and custom texts longer than its box.
#include "TestSupport.h"

#include "app/frmMain.h"
#include "files/Autostart.h"
#include "settings/SettingsStore.h"
#include "settings/frmCustomize.h"

using namespace SettingsStore;

enum Way { Ok, Cancel, Escape, CloseBox, Blocked }; // Blocked: OK on a store that can't be written

class tst_customize : public QObject
{
    Q_OBJECT

    std::unique_ptr<TestWorld> world;

private slots:
    void init() { world = std::make_unique<TestWorld>(); }
    void cleanup() { world.reset(); }

    // The new boxes: keeping the count stored as a preference; the login box showing the
    // desktop's start-up entry as it stands, and OK taking it away.
    void keepCountingAndStartAtLogin()
    {
        QVERIFY(Autostart::Set(true, "pendrel").isEmpty());
        frmCustomize dialog(world->preferences);
        QVERIFY(Control<QCheckBox>(&dialog, "chkStartAtLogin")->isChecked());
        Control<QCheckBox>(&dialog, "chkStartAtLogin")->click();
        Control<QCheckBox>(&dialog, "chkKeepCounting")->click();
        Click(&dialog, "cmdOK");
        QCOMPARE(Autostart::IsOn(), false);
        QCOMPARE(world->preferences.Values().blnKeepCounting, true);
    }

    // The defaults, or the stored values as the program reads them, hand-edited junk among them.
    void opensWithTheStoredValues_data()
    {
        QTest::addColumn<QString>("stored"); // in the sounds, warnings and days keys; null: none
        QTest::addColumn<bool>("checked");
        QTest::addColumn<QString>("days");
        QTest::newRow("nothing stored") << QString() << true << "3";
        QTest::newRow("junk") << "maybe" << true << "maybe";
        QTest::newRow("0") << "0" << false << "0";
    }
    void opensWithTheStoredValues()
    {
        QFETCH(QString, stored);
        QFETCH(bool, checked);
        QFETCH(QString, days);
        if (!stored.isNull())
            for (const QString &key : {KeyPlaySounds, KeyDisplayWarnings, KeyWarningDays})
                QVERIFY(SaveSetting(SectionSettings, key, stored));
        const frmCustomize dialog(world->preferences);
        QCOMPARE(Control<QCheckBox>(&dialog, "chkPlaySounds")->isChecked(), checked);
        QCOMPARE(Control<QCheckBox>(&dialog, "chkDisplayWarnings")->isChecked(), checked);
        QCOMPARE(Control<QLineEdit>(&dialog, "txtWarningDays")->text(), days);
    }

    // OK stores the days text as typed; Cancel, Escape and the close box store nothing, nor does
    // OK with days that are no number or on a store that can't be written: it says why instead.
    void waysOut_data()
    {
        QTest::addColumn<Way>("way");
        QTest::addColumn<QString>("days");    // as typed
        QTest::addColumn<QString>("message"); // what the box says; empty: none, and the dialog goes
        QTest::addColumn<QString>("stored");  // the days key after; "-": absent
        QTest::newRow("OK") << Ok << "0.4" << QString() << "0.4";
        QTest::newRow("Cancel") << Cancel << "1" << QString() << "7";
        QTest::newRow("Escape") << Escape << "1" << QString() << "7";
        QTest::newRow("close box") << CloseBox << "1" << QString() << "7";
        QTest::newRow("days no number") << Ok << "a week" << QString("\"a week\" is not") << "7";
        QTest::newRow("store blocked") << Blocked << "1" << QString("Pendrel/Pendrel.ini") << "-";
    }
    void waysOut()
    {
        QFETCH(Way, way);
        QFETCH(QString, days);
        QFETCH(QString, message);
        QFETCH(QString, stored);
        QVERIFY(SaveSetting(SectionSettings, KeyWarningDays, "7"));
        frmCustomize dialog(world->preferences);
        dialog.show();
        Control<QLineEdit>(&dialog, "txtWarningDays")->setText(days);
        if (way == Blocked)
            world->blockSettingsStore();
        if (way == Cancel)
            Click(&dialog, "cmdCancel");
        else if (way == Escape)
            QTest::keyClick(Control(&dialog, "txtCustomText"), Qt::Key_Escape);
        else if (way == CloseBox)
            dialog.close();
        else
            Click(&dialog, "cmdOK");
        QCOMPARE(dialog.isVisible(), !message.isEmpty());
        QCOMPARE(GetSetting(SectionSettings, KeyWarningDays, "-"), stored);
        const QString shown = MessageBox::history().value(0).text; // empty: none
        QCOMPARE(shown.isEmpty(), message.isEmpty());
        QVERIFY(shown.contains(message));
    }

    // The check box captions line up with the label above them, whichever side of its box a
    // style puts a caption.
    void checkBoxesLineUp()
    {
        frmCustomize dialog(world->preferences);
        dialog.show();
        const QImage image = dialog.grab().toImage();
        const auto caption = [&](const char *name) { // the ink in a control's left half
            const QWidget *control = Control(&dialog, name);
            const QRect leftHalf(control->pos(), QSize(control->width() / 2, control->height()));
            return InkBounds(image, leftHalf, [](QRgb pixel) { return qGray(pixel) < 96; });
        };
        const QRect label = caption("Label1"), box = caption("chkPlaySounds");
        QVERIFY(!label.isEmpty()); // two empty rectangles would line up as well
        QVERIFY(!box.isEmpty());
        QCOMPARE_LE(qAbs(box.left() - label.left()), 2);
    }

    // A stored text longer than the box holds is kept whole by an OK that changed nothing; a
    // paste is cut to what the box can edit quickly.
    void longCustomTexts_data()
    {
        QTest::addColumn<int>("pasted"); // characters; 0: none
        QTest::addColumn<int>("stored"); // characters, after OK
        QTest::newRow("nothing changed") << 0 << 70'000;
        QTest::newRow("pasted") << 70'000 << 65'535;
    }
    void longCustomTexts()
    {
        QFETCH(int, pasted);
        QFETCH(int, stored);
        QVERIFY(SaveSetting(SectionSettings, KeyCustomText, QString(70'000, QChar('y'))));
        frmCustomize dialog(world->preferences);
        if (pasted > 0)
            Control<QLineEdit>(&dialog, "txtCustomText")->setText(QString(pasted, QChar('z')));
        Click(&dialog, "cmdOK");
        QCOMPARE(GetSetting(SectionSettings, KeyCustomText).size(), stored);
    }

    // Two copies open at once: the second OK doesn't put back what the first stored, and the
    // main window takes up each at once.
    void twoCopiesAtOnce()
    {
        frmMain w(world->count, world->preferences);
        frmCustomize first(world->preferences);
        frmCustomize second(world->preferences);
        Control<QLineEdit>(&first, "txtWarningDays")->setText("9");
        Click(&first, "cmdOK");
        Control<QLineEdit>(&second, "txtCustomText")->setText("mine");
        Click(&second, "cmdOK");
        QCOMPARE(GetSetting(SectionSettings, KeyWarningDays), "9");
        QCOMPARE(GetSetting(SectionSettings, KeyCustomText), "mine");
        QCOMPARE(Texts(&w, {"lblCustomText"}), "mine");
    }
};

QTEST_MAIN(tst_customize)
#include "tst_customize.moc"
