// The Customize dialog through its controls: what it shows, and what each way out of it stores.
#include "TestSupport.h"

#include "app/frmMain.h"
#include "files/Autostart.h"
#include "settings/SettingsStore.h"
#include "settings/frmCustomize.h"

using namespace SettingsStore;

enum Way { Ok, Cancel, Escape, CloseBox, Blocked }; // Blocked: OK on a store that can't be written
struct WayOut {
    Way way;
    QString days, message, stored; // as typed; what a box says, empty: none; "-": no days key
};

class tst_customize : public QObject
{
    Q_OBJECT

    std::unique_ptr<TestWorld> world;

private slots:
    void init() { world = std::make_unique<TestWorld>(); }
    void cleanup() { world.reset(); }

    // Stored values shown as the program reads them: "0" unchecks both boxes.
    void opensWithTheStoredValues()
    {
        for (const QString &key : {KeyPlaySounds, KeyDisplayWarnings, KeyWarningDays})
            QVERIFY(SaveSetting(SectionSettings, key, "0"));
        const frmCustomize dialog(world->preferences);
        QCOMPARE(Control<QCheckBox>(&dialog, "chkPlaySounds")->isChecked(), false);
        QCOMPARE(Control<QCheckBox>(&dialog, "chkDisplayWarnings")->isChecked(), false);
        QCOMPARE(Control<QLineEdit>(&dialog, "txtWarningDays")->text(), "0");
    }

    // OK stores the days as typed; the other ways out store nothing; a failed OK says why.
    void waysOut_data()
    {
        QTest::addColumn<WayOut>("row");
        QTest::newRow("OK") << WayOut{Ok, "0.4", {}, "0.4"};
        QTest::newRow("Cancel") << WayOut{Cancel, "1", {}, "7"};
        QTest::newRow("Escape") << WayOut{Escape, "1", {}, "7"};
        QTest::newRow("close box") << WayOut{CloseBox, "1", {}, "7"};
        QTest::newRow("days no number") << WayOut{Ok, "a week", "\"a week\" is not", "7"};
        QTest::newRow("store blocked") << WayOut{Blocked, "1", "Pendrel/Pendrel.ini", "-"};
    }
    void waysOut()
    {
        QFETCH(WayOut, row);
        QVERIFY(SaveSetting(SectionSettings, KeyWarningDays, "7"));
        frmCustomize dialog(world->preferences);
        dialog.show();
        Control<QLineEdit>(&dialog, "txtWarningDays")->setText(row.days);
        if (row.way == Blocked)
            world->blockSettingsStore();
        if (row.way == Cancel)
            Click(&dialog, "cmdCancel");
        else if (row.way == Escape)
            QTest::keyClick(Control(&dialog, "txtCustomText"), Qt::Key_Escape);
        else if (row.way == CloseBox)
            dialog.close();
        else
            Click(&dialog, "cmdOK");
        QCOMPARE(dialog.isVisible(), !row.message.isEmpty());
        QCOMPARE(GetSetting(SectionSettings, KeyWarningDays, "-"), row.stored);
        const QString shown = MessageBox::history().value(0).text; // empty: none
        QCOMPARE(shown.isEmpty(), row.message.isEmpty());
        QVERIFY(shown.contains(row.message));
    }

    // The check box captions line up with the label above them, wherever a style puts a box.
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
        QVERIFY(!label.isEmpty()); // two empty rectangles would line up as well; an empty box fails
        QCOMPARE_LE(qAbs(box.left() - label.left()), 2);
    }

    // The defaults; each OK of two open copies stores only what changed in it; long texts kept.
    void okStoresWhatChanged()
    {
        QVERIFY(SaveSetting(SectionSettings, KeyCustomText, QString(70'000, QChar('y'))));
        QVERIFY(Autostart::Set(true, "pendrel").isEmpty());
        frmMain w(world->count, world->preferences);
        frmCustomize first(world->preferences);
        frmCustomize second(world->preferences);
        QVERIFY(Control<QCheckBox>(&first, "chkPlaySounds")->isChecked()); // the defaults
        QVERIFY(Control<QCheckBox>(&first, "chkDisplayWarnings")->isChecked());
        QCOMPARE(Control<QLineEdit>(&first, "txtWarningDays")->text(), "3");
        Control<QLineEdit>(&first, "txtWarningDays")->setText("9");
        Click(&first, "cmdOK");
        QCOMPARE(GetSetting(SectionSettings, KeyCustomText).size(), 70'000);
        QVERIFY(Control<QCheckBox>(&second, "chkStartAtLogin")->isChecked());
        Control<QCheckBox>(&second, "chkStartAtLogin")->click();
        Control<QCheckBox>(&second, "chkKeepCounting")->click();
        Control<QLineEdit>(&second, "txtCustomText")->setText(QString(70'000, QChar('z')));
        Click(&second, "cmdOK");
        QCOMPARE(GetSetting(SectionSettings, KeyWarningDays), "9");
        QCOMPARE(GetSetting(SectionSettings, KeyCustomText), QString(65'535, QChar('z')));
        QCOMPARE(Autostart::IsOn(), false);
        QCOMPARE(world->preferences.Values().blnKeepCounting, true);
        QCOMPARE(Control<QLabel>(&w, "lblCustomText")->text(),
                 GetSetting(SectionSettings, KeyCustomText));
    }
};

QTEST_MAIN(tst_customize)
#include "tst_customize.moc"
